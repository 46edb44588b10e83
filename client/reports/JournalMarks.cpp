#include "reports/JournalMarks.h"

namespace vtx::client::reports {

int marcaTransacoesDoDiario(GridModel& grid, const TransactionJournal& journal, int nsuColumn) {
    int column = 0;
    for (int col = 1; col <= grid.maxCols(); ++col)
        if (grid.headingText(col) == kColunaDiario) column = col;
    int marked = 0;
    for (int row = 1; row <= grid.maxRows(); ++row) {
        const JournalEntry* e = journal.findByNsu(grid.text(row, nsuColumn));
        if (column == 0 && e == nullptr) continue;
        if (column == 0) {
            column = grid.maxCols() + 1;
            grid.setMaxCols(column);
            grid.setHeadingText(column, kColunaDiario);
            grid.setColumnWidth(column, static_cast<int>(kColunaDiario.size()));
        }
        const QString text = e == nullptr ? QString()
                             : e->open()  ? journalStateName(e->state)
                                          : journalOutcomeName(e->outcome);
        grid.setText(row, column, text);
        grid.setRowColor(row, e != nullptr && e->open() ? GridModel::kRed : GridModel::kBlack);
        if (text.size() > grid.columnWidth(column)) grid.setColumnWidth(column, static_cast<int>(text.size()));
        if (e != nullptr) ++marked;
    }
    return marked;
}

}  // namespace vtx::client::reports
