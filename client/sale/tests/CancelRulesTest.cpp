// The cancellation rules and the batch totals below the screens.
#include "sale/CancelRules.h"

#include <gtest/gtest.h>

#include "sale/BatchTotals.h"

using namespace vtx::client;
using namespace vtx::client::sale;

TEST(CancelRules, TheTypedQuantityMustBeAboveZeroAndWithinTheOriginal) {
    EXPECT_FALSE(quantidadeCancelavel(QStringLiteral("3"), QStringLiteral("0")));
    EXPECT_FALSE(quantidadeCancelavel(QStringLiteral("3"), QStringLiteral("4")));
    EXPECT_TRUE(quantidadeCancelavel(QStringLiteral("3"), QStringLiteral("3")));
    EXPECT_TRUE(quantidadeCancelavel(QStringLiteral("3"), QStringLiteral("1")));
    EXPECT_FALSE(quantidadeCancelavel(QStringLiteral("3"), QString()));
    EXPECT_FALSE(quantidadeCancelavel(QStringLiteral("3"), QStringLiteral("abc")));
    EXPECT_FALSE(quantidadeCancelavel(QStringLiteral("3"), QStringLiteral("-1")))
        << "a pasted negative quantity is no quantity";
    EXPECT_FALSE(quantidadeCancelavel(QStringLiteral("3"), QStringLiteral("99999999999999999999")));
    EXPECT_FALSE(quantidadeCancelavel(QString(), QStringLiteral("1")));
}

TEST(CancelRules, TheNsuMinimumAndItsMessage) {
    EXPECT_EQ(textoNsuMinimo(6), QStringLiteral("O campo NSU deve conter pelo menos 6 caracteres."));
    EXPECT_TRUE(nsuCurto(QStringLiteral("12345"), 6));
    EXPECT_FALSE(nsuCurto(QStringLiteral("123456"), 6));
    EXPECT_FALSE(nsuCurto(QString(), 0));
    EXPECT_TRUE(nsuSomenteDigitos(QStringLiteral("000123")));
    EXPECT_FALSE(nsuSomenteDigitos(QStringLiteral("ABCDEF")));
    EXPECT_FALSE(nsuSomenteDigitos(QStringLiteral("12,5")));
}

namespace {

GridModel batch(const std::vector<std::array<const char*, 4>>& amounts) {
    GridModel grid(static_cast<int>(amounts.size()), 13);
    for (size_t r = 0; r < amounts.size(); ++r)
        for (size_t c = 0; c < 4; ++c)
            grid.setText(static_cast<int>(r) + 1, 10 + static_cast<int>(c),
                         QString::fromUtf8(amounts[r][c]));
    return grid;
}

}  // namespace

TEST(BatchTotals, AnEmptyBatchTotalsZero) {
    const BatchTotals t = SomaTotais(GridModel(0, 13));
    EXPECT_EQ(t.valorLiqVda, QStringLiteral("0,00"));
    EXPECT_EQ(t.valorRepos, QStringLiteral("0,00"));
    EXPECT_EQ(t.valorCredito, QStringLiteral("0,00"));
    EXPECT_EQ(t.valorDebito, QStringLiteral("0,00"));
    EXPECT_EQ(SomaTotais(GridModel()).valorDebito, QStringLiteral("0,00")) << "no columns at all";
}

TEST(BatchTotals, EachColumnSumsIntoItsTotalInCents) {
    const BatchTotals t = SomaTotais(batch({{"1.234,50", "10,00", "0,10", "0,00"},
                                            {"0,01", "0,20", "0,20", "3,30"},
                                            {"100,00", "", "", "-3,30"}}));
    EXPECT_EQ(t.valorLiqVda, QStringLiteral("1334,51"));
    EXPECT_EQ(t.valorRepos, QStringLiteral("10,20"));
    EXPECT_EQ(t.valorCredito, QStringLiteral("0,30")) << "no floating-point drift";
    EXPECT_EQ(t.valorDebito, QStringLiteral("0,00"));
    EXPECT_EQ(t.celulasIgnoradas, 0);
}

TEST(BatchTotals, DamagedCellsAddNothingAndAreCounted) {
    const BatchTotals t = SomaTotais(batch({{"12,50", "ABC", "1,00", "1,00"},
                                            {"7,50", "2,00", "", "x"},
                                            {"900000000000000000000", "", "", ""}}));
    EXPECT_EQ(t.valorLiqVda, QStringLiteral("20,00"));
    EXPECT_EQ(t.valorRepos, QStringLiteral("2,00"));
    EXPECT_EQ(t.celulasIgnoradas, 3);
}

TEST(BatchTotals, ThePrintedHeaderPairsEachLabelWithItsTotal) {
    BatchTotals t;
    t.valorLiqVda = QStringLiteral("1,00");
    t.valorRepos = QStringLiteral("2,00");
    t.valorCredito = QStringLiteral("3,00");
    t.valorDebito = QStringLiteral("4,00");
    const BatchTotalLabels labels{QStringLiteral("Total da Venda "), QStringLiteral("Total de Crédito "),
                                  QStringLiteral("Total de Dédito"), QStringLiteral("Total Reembolso")};
    EXPECT_EQ(linhaTotais(labels, t),
              QStringLiteral("Total da Venda :        1,00      Total de Crédito :        2,00      "
                             "Total Reembolso:        3,00      Total de Dédito :        4,00"));
}
