// GridModel: the spreadsheet grid of the client's list screens as plain data.
// A widget displays it; the logic reads and writes it.
//
// Numbering follows the grid control the screens were written for: data
// rows are 1..maxRows(), row 0 is the column-heading row, columns are
// 1..maxCols(). Reading outside the grid gives empty text and defaults;
// writing outside it is ignored (returns false). Growing the grid keeps every
// cell; shrinking drops the cells beyond the new size.
//
// Per column: heading text (row 0), hidden flag, horizontal alignment and
// width in characters. Per data row: text colour (an integer colour value
// 0x00BBGGRR as the stored settings give it; 0 = black, kRed = 255) and
// selection.
// The active row is the row the operator is on (0 = none).
//
// Thread-safety: a plain value; the client's single thread owns it.
#pragma once

#include <QString>
#include <vector>

namespace vtx::client {

class GridModel {
public:
    enum class Alignment { Left, Right, Center };

    static constexpr qint32 kBlack = 0;
    static constexpr qint32 kRed = 255;
    static constexpr int kMaxRows = 1 << 20;
    static constexpr int kMaxCols = 1024;

    GridModel() = default;
    GridModel(int rows, int cols) {
        setMaxCols(cols);
        setMaxRows(rows);
    }

    int maxRows() const { return static_cast<int>(rows_.size()) - 1; }
    int maxCols() const { return static_cast<int>(columns_.size()); }

    // Negative counts count as 0; counts above kMaxRows / kMaxCols are cut
    // to them (a bad count from a file must not exhaust memory).
    void setMaxRows(int rows);
    void setMaxCols(int cols);

    // Cell text; row 0 is the heading row.
    QString text(int row, int col) const;
    bool setText(int row, int col, const QString& text);

    QString headingText(int col) const { return text(0, col); }
    bool setHeadingText(int col, const QString& text) { return setText(0, col, text); }

    bool isColumnHidden(int col) const;
    bool setColumnHidden(int col, bool hidden);

    Alignment alignment(int col) const;
    bool setAlignment(int col, Alignment alignment);

    int columnWidth(int col) const;
    bool setColumnWidth(int col, int chars);

    qint32 rowColor(int row) const;
    bool setRowColor(int row, qint32 color);

    // 0 when none; kept within the rows when the grid shrinks.
    int activeRow() const { return activeRow_; }
    bool setActiveRow(int row);

    bool isRowSelected(int row) const;
    bool setRowSelected(int row, bool selected);
    std::vector<int> selectedRows() const;  // ascending
    void clearSelection();

    // Deletes the data rows first..first+count-1 (clipped to the grid): the
    // rows below move up and blank rows fill the end, so maxRows() does not
    // change (the screens lower it themselves, as with any spreadsheet grid control).
    bool deleteRows(int first, int count);

    // Removes every data row (maxRows() becomes 0), the active row and the
    // selection; the columns keep their headings, flags, alignment and widths.
    void clear();

private:
    struct Row {
        std::vector<QString> cells;
        qint32 color = kBlack;
        bool selected = false;
    };
    struct Column {
        bool hidden = false;
        Alignment alignment = Alignment::Left;
        int width = 0;
    };

    bool validRow(int row) const { return row >= 1 && row <= maxRows(); }
    bool validCol(int col) const { return col >= 1 && col <= maxCols(); }
    Row blankRow() const;

    std::vector<Row> rows_ = std::vector<Row>(1);  // rows_[0] is the heading row
    std::vector<Column> columns_;
    int activeRow_ = 0;
};

}  // namespace vtx::client
