// The pending-transactions screen's marks: only the rows whose NSU the
// journal knows are marked, open ones in red; marking again after a
// settlement rewrites the column instead of adding another.
#include "reports/JournalMarks.h"

#include <gtest/gtest.h>

#include "TestRoot.h"

namespace vtx::client::reports {
namespace {

TEST(JournalMarks, RowsTheJournalKnowsAreMarkedOpenOnesInRed) {
    vtx::test::TempRoot root;
    TransactionJournal journal(root.native("VtxClient.jnl"));
    JournalRequest sale;
    sale.nsu = QStringLiteral("000321");
    const auto id = journal.pedido(sale);
    ASSERT_TRUE(id && journal.resposta(*id, true, QStringLiteral("000321"), QStringLiteral("00")));

    GridModel grid(3, 7);
    grid.setHeadingText(2, QStringLiteral("NSU"));
    grid.setText(1, 2, QStringLiteral("320"));
    grid.setText(2, 2, QStringLiteral("321"));  // shown without its zeros
    grid.setText(3, 2, QStringLiteral("322"));
    EXPECT_EQ(marcaTransacoesDoDiario(grid, journal, 2), 1);
    ASSERT_EQ(grid.maxCols(), 8);
    EXPECT_EQ(grid.headingText(8), kColunaDiario);
    EXPECT_EQ(grid.text(2, 8), QStringLiteral("autorizada, não confirmada"));
    EXPECT_EQ(grid.rowColor(2), GridModel::kRed);
    EXPECT_EQ(grid.text(1, 8), QString());
    EXPECT_EQ(grid.rowColor(1), GridModel::kBlack);

    ASSERT_TRUE(journal.encerra(*id, JournalOutcome::Confirmada, QStringLiteral("00")));
    EXPECT_EQ(marcaTransacoesDoDiario(grid, journal, 2), 1);
    EXPECT_EQ(grid.maxCols(), 8);  // the same column, rewritten
    EXPECT_EQ(grid.text(2, 8), QStringLiteral("confirmada"));
    EXPECT_EQ(grid.rowColor(2), GridModel::kBlack);

    GridModel unknown(1, 7);
    unknown.setText(1, 2, QStringLiteral("999"));
    EXPECT_EQ(marcaTransacoesDoDiario(unknown, journal, 2), 0);
    EXPECT_EQ(unknown.maxCols(), 7);  // no column for a list the journal does not know
}

}  // namespace
}  // namespace vtx::client::reports
