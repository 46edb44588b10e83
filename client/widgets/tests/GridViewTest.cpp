#include "widgets/GridView.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QTest>

#include "core/testing/RecordingPrinter.h"

using vtx::client::GridModel;
using vtx::client::testing::PrintEvent;
using vtx::client::testing::RecordingPrinter;
using vtx::client::widgets::GridView;

namespace {

GridModel sampleGrid() {
    GridModel grid(2, 3);
    grid.setHeadingText(1, QStringLiteral("Lote"));
    grid.setHeadingText(2, QStringLiteral("0"));
    grid.setHeadingText(3, QStringLiteral("Valor"));
    grid.setColumnHidden(2, true);
    grid.setAlignment(3, GridModel::Alignment::Right);
    grid.setColumnWidth(1, 30);
    grid.setColumnWidth(3, 6);
    grid.setText(1, 1, QStringLiteral("000123"));
    grid.setText(1, 3, QStringLiteral("123,45"));
    grid.setText(2, 1, QStringLiteral("000124"));
    grid.setRowColor(2, GridModel::kRed);
    return grid;
}

}  // namespace

TEST(GridViewTest, MirrorsTheModel) {
    GridModel grid = sampleGrid();
    GridView view(grid);
    const QAbstractItemModel* model = view.model();
    ASSERT_EQ(model->rowCount(), 2);
    ASSERT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Lote"));
    EXPECT_EQ(model->data(model->index(0, 2)).toString(), QStringLiteral("123,45"));
    EXPECT_TRUE(view.isColumnHidden(1));
    EXPECT_FALSE(view.isColumnHidden(2));
    const auto align =
        model->data(model->index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>();
    EXPECT_TRUE(align & Qt::AlignRight);
    EXPECT_EQ(model->data(model->index(1, 0), Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_GT(view.columnWidth(0), view.columnWidth(2)) << "30 characters against 6";
}

TEST(GridViewTest, RefreshFollowsTheModelAndClicksSetTheActiveRow) {
    GridModel grid = sampleGrid();
    GridView view(grid);
    view.resize(600, 300);
    view.show();
    grid.setMaxRows(3);
    grid.setText(3, 1, QStringLiteral("000125"));
    grid.setActiveRow(3);
    view.refresh();
    ASSERT_EQ(view.model()->rowCount(), 3);
    EXPECT_EQ(view.currentIndex().row(), 2);

    const QRect cell = view.visualRect(view.model()->index(1, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(grid.activeRow(), 2);
    EXPECT_EQ(grid.selectedRows(), std::vector<int>{2});
}

TEST(GridViewTest, PrintsOneLandscapeDocumentWithTheHeader) {
    GridModel grid = sampleGrid();
    GridView view(grid);
    RecordingPrinter printer;
    ASSERT_TRUE(view.printGrid(printer, QStringLiteral("Lotes dos ultimos 7 dias"), true));
    ASSERT_EQ(printer.events().size(), 3u);
    EXPECT_TRUE(printer.events()[0].flag);
    EXPECT_EQ(printer.events()[1].kind, PrintEvent::Kind::Grid);
    EXPECT_EQ(printer.events()[1].text, QStringLiteral("Lotes dos ultimos 7 dias"));
    EXPECT_EQ(printer.documentsEnded(), 1);

    printer.failWith(QStringLiteral("Sem papel"));
    EXPECT_FALSE(view.printGrid(printer, QStringLiteral("x"), true));
}

// Keyboard only: the arrows choose the row (selected, as the cancellation
// screens read it), Tab leaves the grid for the next control.
TEST(GridViewTest, ArrowsChooseTheRowAndTabLeavesTheGrid) {
    GridModel grid = sampleGrid();
    QWidget form;
    auto* view = new GridView(grid, &form);
    auto* next = new QLineEdit(&form);
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(view);
    layout->addWidget(next);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(grid.activeRow(), 2);
    EXPECT_EQ(grid.selectedRows(), std::vector<int>{2});
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
}
