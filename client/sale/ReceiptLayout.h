// The receipt screen's list as plain text: the product table of a sale and
// the receipt lines of the last answer, in the order the screen lists and
// prints them.
//
// The product table (only for a sale, TelaAtual "VENDA", when the station's
// product-table flag is on) is two header lines, then per product an empty
// line and, for a product the host authorised (status below 40), its code,
// description and item type on one line and its quantity and prices on the
// next, and a closing line of 38 underscores. Columns are filled with blanks
// to their width; a text wider than its column is not cut and shifts the
// rest of its line.
//
// Thread-safety: pure functions, except receiptLines (the session's answer).
#pragma once

#include <QString>
#include <QStringList>

#include "core/ClientSession.h"

namespace vtx::client::sale {

// `text` trimmed, then blanks up to `width` (left-aligned).
QString alinhaEsquerda(const QString& text, int width);
// Blanks up to `width`, then `text` trimmed (right-aligned).
QString alinhaDireita(const QString& text, int width);

// The product table of the product lists (header lines to underscore line).
QStringList tabelaProdutos(const ProductLists& produtos);

// PreencheImpressao's list: the product table when `tabelaLigada` (the
// caption section's product-table flag is "Y") and `telaAtual` is "VENDA",
// then the receipt lines.
QStringList PreencheImpressao(const ProductLists& produtos, bool tabelaLigada,
                              const QString& telaAtual, const QStringList& linhasRecibo);

// Receipt lines 0 to GetQtdLinha inclusive of the last answer; a line the
// answer does not carry is an empty entry. Line numbers have three digits,
// so no more than lines 0 to 999 are asked for.
QStringList receiptLines(ClientSession& session);

}  // namespace vtx::client::sale
