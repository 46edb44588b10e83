#include "core/GridModel.h"

#include <algorithm>

namespace vtx::client {

GridModel::Row GridModel::blankRow() const {
    Row row;
    row.cells.resize(columns_.size());
    return row;
}

void GridModel::setMaxRows(int rows) {
    rows = std::clamp(rows, 0, kMaxRows);
    rows_.resize(static_cast<size_t>(rows) + 1, blankRow());
    activeRow_ = std::min(activeRow_, rows);
}

void GridModel::setMaxCols(int cols) {
    cols = std::clamp(cols, 0, kMaxCols);
    columns_.resize(static_cast<size_t>(cols));
    for (Row& row : rows_) row.cells.resize(static_cast<size_t>(cols));
}

QString GridModel::text(int row, int col) const {
    if (row < 0 || row > maxRows() || !validCol(col)) return {};
    return rows_[static_cast<size_t>(row)].cells[static_cast<size_t>(col - 1)];
}

bool GridModel::setText(int row, int col, const QString& text) {
    if (row < 0 || row > maxRows() || !validCol(col)) return false;
    rows_[static_cast<size_t>(row)].cells[static_cast<size_t>(col - 1)] = text;
    return true;
}

bool GridModel::isColumnHidden(int col) const {
    return validCol(col) && columns_[static_cast<size_t>(col - 1)].hidden;
}

bool GridModel::setColumnHidden(int col, bool hidden) {
    if (!validCol(col)) return false;
    columns_[static_cast<size_t>(col - 1)].hidden = hidden;
    return true;
}

GridModel::Alignment GridModel::alignment(int col) const {
    return validCol(col) ? columns_[static_cast<size_t>(col - 1)].alignment : Alignment::Left;
}

bool GridModel::setAlignment(int col, Alignment alignment) {
    if (!validCol(col)) return false;
    columns_[static_cast<size_t>(col - 1)].alignment = alignment;
    return true;
}

int GridModel::columnWidth(int col) const {
    return validCol(col) ? columns_[static_cast<size_t>(col - 1)].width : 0;
}

bool GridModel::setColumnWidth(int col, int chars) {
    if (!validCol(col)) return false;
    columns_[static_cast<size_t>(col - 1)].width = std::max(chars, 0);
    return true;
}

qint32 GridModel::rowColor(int row) const {
    return validRow(row) ? rows_[static_cast<size_t>(row)].color : kBlack;
}

bool GridModel::setRowColor(int row, qint32 color) {
    if (!validRow(row)) return false;
    rows_[static_cast<size_t>(row)].color = color;
    return true;
}

bool GridModel::setActiveRow(int row) {
    if (row != 0 && !validRow(row)) return false;
    activeRow_ = row;
    return true;
}

bool GridModel::isRowSelected(int row) const {
    return validRow(row) && rows_[static_cast<size_t>(row)].selected;
}

bool GridModel::setRowSelected(int row, bool selected) {
    if (!validRow(row)) return false;
    rows_[static_cast<size_t>(row)].selected = selected;
    return true;
}

std::vector<int> GridModel::selectedRows() const {
    std::vector<int> out;
    for (int row = 1; row <= maxRows(); ++row) {
        if (rows_[static_cast<size_t>(row)].selected) out.push_back(row);
    }
    return out;
}

void GridModel::clearSelection() {
    for (Row& row : rows_) row.selected = false;
}

bool GridModel::deleteRows(int first, int count) {
    if (!validRow(first) || count <= 0) return false;
    int last = first + std::min(count, maxRows() - first + 1) - 1;
    auto begin = rows_.begin() + first;
    rows_.erase(begin, rows_.begin() + last + 1);
    rows_.resize(rows_.size() + static_cast<size_t>(last - first + 1), blankRow());
    return true;
}

void GridModel::clear() {
    rows_.resize(1);
    activeRow_ = 0;
}

}  // namespace vtx::client
