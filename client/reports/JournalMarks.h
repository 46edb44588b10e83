// The marks of the pending-transactions screen: the rows whose transaction
// the station's journal knows get a column "Diário" saying where the journal
// has it (authorised and not confirmed, confirmation sent, ...) or how it
// ended, and the rows it still holds open are shown in red, so the operator
// sees at once which pending transactions this station left in the middle.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include "core/GridModel.h"
#include "core/TransactionJournal.h"

namespace vtx::client::reports {

inline const QString kColunaDiario = QStringLiteral("Diário");

// Marks the rows of `grid` whose NSU (column `nsuColumn`) has an entry in
// `journal`; the column is added once, after the file's columns, and
// rewritten on every call. The number of rows marked.
int marcaTransacoesDoDiario(GridModel& grid, const TransactionJournal& journal, int nsuColumn);

}  // namespace vtx::client::reports
