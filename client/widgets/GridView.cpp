#include "widgets/GridView.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include "widgets/GridTableModel.h"

namespace vtx::client::widgets {
namespace {

constexpr int kCellPadding = 12;  // pixels around a cell's text

}  // namespace

GridView::GridView(GridModel& model, QWidget* parent)
    : QTableView(parent), model_(model), table_(std::make_unique<GridTableModel>(model)) {
    setModel(table_.get());
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The arrows move between the rows; Tab leaves the grid for the next
    // control, as an operator working with the keyboard expects (the grids
    // are read-only lists, not sheets to fill in).
    setTabKeyNavigation(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { copySelectionToModel(); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { copySelectionToModel(); });
    refresh();
}

GridView::~GridView() {
    // The view must let go of the item model before it is destroyed.
    setModel(nullptr);
}

void GridView::refresh() {
    syncing_ = true;
    table_->reload();
    applyColumns();
    applySelection();
    syncing_ = false;
}

void GridView::applyColumns() {
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int col = 1; col <= model_.maxCols(); ++col) {
        setColumnHidden(col - 1, model_.isColumnHidden(col));
        const int chars =
            std::max(model_.columnWidth(col), static_cast<int>(model_.headingText(col).size()));
        setColumnWidth(col - 1, std::max(chars, 2) * charWidth + kCellPadding);
    }
}

void GridView::applySelection() {
    QItemSelectionModel* selection = selectionModel();
    selection->clearSelection();
    QItemSelection rows;
    for (int row : model_.selectedRows()) {
        rows.select(table_->index(row - 1, 0), table_->index(row - 1, model_.maxCols() - 1));
    }
    selection->select(rows, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const int active = model_.activeRow();
    if (active >= 1 && model_.maxCols() >= 1) {
        selection->setCurrentIndex(table_->index(active - 1, 0), QItemSelectionModel::NoUpdate);
    } else {
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void GridView::copySelectionToModel() {
    if (syncing_) return;
    model_.clearSelection();
    for (const QModelIndex& index : selectionModel()->selectedRows())
        model_.setRowSelected(index.row() + 1, true);
    const QModelIndex current = selectionModel()->currentIndex();
    model_.setActiveRow(current.isValid() ? current.row() + 1 : 0);
}

bool GridView::printGrid(Printer& printer, const QString& header, bool landscape) {
    if (!printer.beginDocument(landscape)) return false;
    if (!printer.printGrid(model_, header)) {
        printer.endDocument();
        return false;
    }
    return printer.endDocument();
}

}  // namespace vtx::client::widgets
