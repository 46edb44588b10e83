#include "sale/PreSaleTotals.h"

#include "field/LeadingNumber.h"
#include "messaging/Amounts.h"
#include "messaging/GridLoaders.h"

namespace vtx::client::sale {
namespace Col = PreSaleColumn;

namespace {

double cellValue(const GridModel& grid, int row, int col) {
    return amountValue(grid.text(row, col).trimmed()).value_or(0.0);
}

}  // namespace

PreSaleTotals calculaTotais(const GridModel& grid) {
    PreSaleTotals totals;
    for (int row = 1; row <= grid.maxRows(); ++row) {
        const auto quantidade = static_cast<double>(leadingNumber(grid.text(row, Col::kQuantidade)));
        totals.venda += quantidade * cellValue(grid, row, Col::kPrecoLiquido);
        totals.receber += quantidade * cellValue(grid, row, Col::kValorReceber);
        totals.bruto += quantidade * cellValue(grid, row, Col::kPrecoBruto);
    }
    return totals;
}

QString textoTotal(double value) {
    return formatAmount(value);
}

}  // namespace vtx::client::sale
