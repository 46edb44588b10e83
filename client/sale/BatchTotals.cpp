#include "sale/BatchTotals.h"

#include <array>

#include "messaging/Amounts.h"

namespace vtx::client::sale {

BatchTotals SomaTotais(const GridModel& lote) {
    using namespace BatchColumn;
    constexpr std::array<int, 4> kColumns = {kValorLiqVda, kValorRepos, kValorCredito, kValorDebito};
    std::array<qint64, 4> cents = {0, 0, 0, 0};
    BatchTotals totals;
    for (int row = 1; row <= lote.maxRows(); ++row) {
        for (size_t c = 0; c < kColumns.size(); ++c) {
            const QString cell = lote.text(row, kColumns[c]).trimmed();
            if (cell.isEmpty()) continue;
            const std::optional<qint64> value = amountCents(cell);
            // A value that would overflow the total counts as damaged too.
            qint64 sum = 0;
            if (value && !__builtin_add_overflow(cents[c], *value, &sum))
                cents[c] = sum;
            else
                ++totals.celulasIgnoradas;
        }
    }
    auto shown = [](qint64 value) { return formatAmount(static_cast<double>(value) / 100.0); };
    totals.valorLiqVda = shown(cents[0]);
    totals.valorRepos = shown(cents[1]);
    totals.valorCredito = shown(cents[2]);
    totals.valorDebito = shown(cents[3]);
    return totals;
}

QString linhaTotais(const BatchTotalLabels& labels, const BatchTotals& totals) {
    const QString gap = QStringLiteral("      ");
    return labels.liqVda.trimmed() + QStringLiteral(" :        ") + totals.valorLiqVda + gap +
           labels.repos.trimmed() + QStringLiteral(" :        ") + totals.valorRepos + gap +
           labels.debito.trimmed() + QStringLiteral(":        ") + totals.valorCredito + gap +
           labels.credito.trimmed() + QStringLiteral(" :        ") + totals.valorDebito;
}

}  // namespace vtx::client::sale
