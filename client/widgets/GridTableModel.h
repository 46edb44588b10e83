// GridTableModel: a GridModel as a Qt item model, for GridView. Row r of the
// item model is data row r + 1 of the grid; the heading row is the
// horizontal header. Read-only.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QAbstractTableModel>

#include "core/GridModel.h"

namespace vtx::client::widgets {

class GridTableModel : public QAbstractTableModel {
public:
    explicit GridTableModel(const GridModel& grid) : grid_(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Everything may have changed: views read the grid again.
    void reload() {
        beginResetModel();
        endResetModel();
    }

    // Qt's alignment for a grid column's alignment.
    static Qt::Alignment alignmentOf(GridModel::Alignment alignment);

private:
    const GridModel& grid_;
};

}  // namespace vtx::client::widgets
