// The four totals of a batch's transactions (SomaTotais) and the line
// printed above the batch list, below the batch screen's widgets.
//
// The grid's columns 10 to 13 hold the net sale, the credit, the refund and
// the debit amounts of each transaction as the report loader shows them
// ("1.234,50": decimal comma). Each total starts at zero and is shown with
// two decimals and the decimal comma ("0,00"). A cell that is not an
// amount (a damaged or empty cell) adds nothing: one bad line does not hide
// the totals of the others.
//
// Thread-safety: pure functions.
#pragma once

#include <QString>

#include "core/GridModel.h"

namespace vtx::client::sale {

// The batch grid's columns this screen reads (1-based).
namespace BatchColumn {
inline constexpr int kTipoPendente = 1;
inline constexpr int kNsu = 2;
inline constexpr int kStatus = 5;
inline constexpr int kTipoTransacao = 6;
inline constexpr int kValorLiqVda = 10;
inline constexpr int kValorRepos = 11;
inline constexpr int kValorCredito = 12;
inline constexpr int kValorDebito = 13;
}  // namespace BatchColumn

struct BatchTotals {
    QString valorLiqVda;   // txtTotValorLiqVda: net sales
    QString valorRepos;    // txtTotValorRepos
    QString valorCredito;  // txtTotValorCredito
    QString valorDebito;   // txtTotValorDebito
    int celulasIgnoradas = 0;  // non-empty cells that were not amounts
};

BatchTotals SomaTotais(const GridModel& lote);

// The captions of the four totals labels, as the screen shows them.
struct BatchTotalLabels {
    QString liqVda;    // lblTotValorLiqVda
    QString repos;     // lblTotValorRepos
    QString credito;   // lblTotValorCredito
    QString debito;    // lblTotValorDebito
};

// The header of the printed batch list: each trimmed label with its total.
// The refund label (lblTotValorDebito) goes with txtTotValorCredito and the
// debit label (lblTotValorCredito) with txtTotValorDebito, as the screen
// pairs them.
QString linhaTotais(const BatchTotalLabels& labels, const BatchTotals& totals);

}  // namespace vtx::client::sale
