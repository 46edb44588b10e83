#include "widgets/GridTableModel.h"

#include <QColor>

namespace vtx::client::widgets {

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.maxRows();
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.maxCols();
}

Qt::Alignment GridTableModel::alignmentOf(GridModel::Alignment alignment) {
    switch (alignment) {
        case GridModel::Alignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case GridModel::Alignment::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case GridModel::Alignment::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    switch (role) {
        case Qt::DisplayRole:
            return grid_.text(row, col);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignmentOf(grid_.alignment(col)));
        case Qt::ForegroundRole: {
            const qint32 color = grid_.rowColor(row);
            if (color == GridModel::kBlack) return {};
            // Stored colours are 0x00BBGGRR.
            return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
        }
        default:
            return {};
    }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return grid_.headingText(section + 1);
    return section + 1;
}

}  // namespace vtx::client::widgets
