// The batch chosen on the sales summary (its active row), read by
// CarregaDadosLote: the values the batch screens and the products summary
// of a batch work on.
//
// Thread-safety: a plain value.
#pragma once

#include <QString>

namespace vtx::client::reports {

struct LoteSelecionado {
    QString coluna1;          // column 1 as shown
    double valorColuna1 = 0;  // column 1 as a number
    QString numeroLote;       // column 3: the batch number
    QString coluna4;          // column 4 as shown
};

}  // namespace vtx::client::reports
