// The three totals of the pre-sale screen over every row of its grid: the
// sale (quantity x net price), the amount the shop collects (quantity x
// amount to collect) and the benefits (the gross total less the sale). The
// quantity is the integer value of its cell; a price cell that is not a
// number adds nothing.
//
// Thread-safety: pure functions.
#pragma once

#include <QString>

#include "core/GridModel.h"

namespace vtx::client::sale {

struct PreSaleTotals {
    double venda = 0;    // txtTotVend
    double receber = 0;  // txtTotCred
    double bruto = 0;    // gross total; txtTotBen shows bruto - venda

    double beneficios() const { return bruto - venda; }
};

PreSaleTotals calculaTotais(const GridModel& grid);

// A total as the screen shows it: "0.00" in the station's format ("12,50").
QString textoTotal(double value);

}  // namespace vtx::client::sale
