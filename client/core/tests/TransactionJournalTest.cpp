// The pending-transaction journal: every step read back as written, by this
// process and by another; never a card number in the file; a step torn by a
// kill never read as a decision; compaction keeps every open entry and what
// other writers added meanwhile.
#include "core/TransactionJournal.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "TestRoot.h"

namespace vtx::client {
namespace {

QDateTime fixedClock() { return QDateTime(QDate(2026, 12, 8), QTime(16, 40, 1, 250)); }

JournalRequest sale(const QString& nsu = QStringLiteral("000123")) {
    JournalRequest r;
    r.kind = JournalKind::Venda;
    r.nsu = nsu;
    r.cartao = QStringLiteral("6012345678901234=2512101");
    r.total = QStringLiteral("45,60");
    r.administradora = QStringLiteral("DEMO | REDE");
    r.codigoAdministradora = QStringLiteral("DEMO0001");
    r.tipoEstab = 1;
    r.tipoTransacao = QStringLiteral("VENDA");
    return r;
}

class TransactionJournalTest : public ::testing::Test {
protected:
    std::string path() const { return root_.native(TransactionJournal::kFileName); }
    TransactionJournal journal() const {
        TransactionJournal j(path());
        j.setClock(fixedClock);
        EXPECT_TRUE(j.load());
        return j;
    }
    std::string bytes() const { return root_.readFile(TransactionJournal::kFileName).value_or(""); }
    test::TempRoot root_;
};

TEST_F(TransactionJournalTest, TheStationsJournalIsInItsInstallationDirectory) {
    // PathServer as the settings hold it: a station path, upper-cased.
    root_.writeFile("C/Vantrix/VtxClient.ini", "");
    EstruturaPrincipal settings;
    settings.PathServer = QStringLiteral("C:\\VANTRIX");
    const std::string path = TransactionJournal::pathFor(settings);
    EXPECT_EQ(path, root_.native("C/Vantrix/VtxClient.jnl"));
    TransactionJournal j(path);
    ASSERT_TRUE(j.pedido(sale()));
    EXPECT_TRUE(root_.readFile("C/Vantrix/VtxClient.jnl").has_value());
}

TEST_F(TransactionJournalTest, EachStepIsReadBackByAnotherReaderAsWritten) {
    TransactionJournal j = journal();
    const auto id = j.pedido(sale());
    ASSERT_TRUE(id);
    EXPECT_EQ(journal().find(*id)->state, JournalState::AguardandoResposta);
    ASSERT_TRUE(j.resposta(*id, true, QStringLiteral("000123"), QStringLiteral("00")));
    EXPECT_EQ(journal().find(*id)->state, JournalState::Autorizada);
    const auto same = j.liquidando(QStringLiteral("123"), true, JournalActor::Operador, {});
    ASSERT_TRUE(same);
    EXPECT_EQ(*same, *id);  // the NSU is compared by value
    EXPECT_EQ(journal().find(*id)->state, JournalState::Confirmando);
    ASSERT_TRUE(j.encerra(*id, JournalOutcome::Confirmada, QStringLiteral("00")));

    const TransactionJournal other = journal();
    ASSERT_EQ(other.entries().size(), 1U);
    const JournalEntry& e = other.entries().front();
    EXPECT_EQ(e.state, JournalState::Encerrada);
    EXPECT_EQ(e.outcome, JournalOutcome::Confirmada);
    EXPECT_EQ(e.nsu, QStringLiteral("000123"));
    EXPECT_EQ(e.request.total, QStringLiteral("45,60"));
    EXPECT_EQ(e.request.administradora, QStringLiteral("DEMO | REDE"));  // a "|" inside a value
    EXPECT_EQ(e.request.tipoTransacao, QStringLiteral("VENDA"));
    EXPECT_EQ(e.pedidoEm, fixedClock());
    EXPECT_TRUE(other.openEntries().empty());
    EXPECT_EQ(other.damagedRecords(), 0U);
}

TEST_F(TransactionJournalTest, TheFileNeverHoldsTheCardNumberOrTheTrack) {
    TransactionJournal j = journal();
    ASSERT_TRUE(j.pedido(sale()));
    JournalRequest shortCard = sale(QStringLiteral("000124"));
    shortCard.cartao = QStringLiteral("1234567890");
    ASSERT_TRUE(j.pedido(shortCard));
    const QString text = QString::fromStdString(bytes());
    EXPECT_TRUE(text.contains(QStringLiteral("cartao=601234******1234|")));
    EXPECT_TRUE(text.contains(QStringLiteral("cartao=******7890|")));
    EXPECT_FALSE(text.contains(QStringLiteral("2512101")));
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\d{11}"))));
    EXPECT_EQ(journalCard(QStringLiteral("601234567890123456")), QStringLiteral("601234********3456"));
    EXPECT_EQ(journalCard(QStringLiteral("1234")), QStringLiteral("****"));
}

TEST_F(TransactionJournalTest, AStepTornAtAnyByteLeavesTheEntryWhereItStoodBefore) {
    TransactionJournal j = journal();
    const auto id = j.pedido(sale());
    ASSERT_TRUE(id && j.resposta(*id, true, QStringLiteral("000123"), QStringLiteral("00")));
    const std::string before = bytes();
    ASSERT_TRUE(j.liquidando(QStringLiteral("000123"), false, JournalActor::Operador, {}));
    const std::string after = bytes();
    for (size_t cut = before.size() + 1; cut < after.size(); ++cut) {
        root_.writeFile(TransactionJournal::kFileName, after.substr(0, cut));
        const TransactionJournal torn = journal();
        ASSERT_EQ(torn.find(*id)->state, JournalState::Autorizada) << "cut at " << cut;
        ASSERT_EQ(torn.damagedRecords(), 1U);
    }
    // The next step after a torn one is read, the torn one is not.
    TransactionJournal again = journal();
    ASSERT_TRUE(again.encerra(*id, JournalOutcome::Desfeita, QStringLiteral("00")));
    EXPECT_EQ(journal().find(*id)->outcome, JournalOutcome::Desfeita);
    EXPECT_EQ(journal().damagedRecords(), 0U);
}

TEST_F(TransactionJournalTest, SettlingAnNsuTheJournalDoesNotKnowOpensAPendingEntry) {
    TransactionJournal j = journal();
    JournalRequest context;
    context.administradora = QStringLiteral("DEMO");
    context.tipoTransacao = QStringLiteral("TRANSACOESPENDENTES");
    context.pendenteTipo = QStringLiteral("BE");
    context.pendenteStatus = QStringLiteral("PEND.");
    const auto id = j.liquidando(QStringLiteral("000777"), true, JournalActor::Suporte, context);
    ASSERT_TRUE(id);
    const TransactionJournal loaded = journal();
    const JournalEntry* e = loaded.find(*id);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->request.kind, JournalKind::Pendente);
    EXPECT_EQ(e->nsu, QStringLiteral("000777"));
    EXPECT_EQ(e->state, JournalState::Confirmando);
    EXPECT_EQ(e->request.pendenteTipo, QStringLiteral("BE"));
}

TEST_F(TransactionJournalTest, ARequestSentAgainForTheSameSaleTakesItsEntryUp) {
    TransactionJournal j = journal();
    const auto first = j.pedido(sale());
    const auto again = j.pedido(sale(QStringLiteral("123")));
    ASSERT_TRUE(first && again);
    EXPECT_EQ(*first, *again);
    const auto other = j.pedido(sale(QStringLiteral("000124")));
    EXPECT_NE(*other, *first);
    EXPECT_EQ(journal().openEntries().size(), 2U);
}

TEST_F(TransactionJournalTest, CompactionKeepsOpenEntriesAndWhatOthersWroteMeanwhile) {
    TransactionJournal j = journal();
    for (int i = 0; i < 6; ++i) {
        const auto id = j.pedido(sale(QString::number(100 + i)));
        ASSERT_TRUE(id);
        if (i != 2) {
            ASSERT_TRUE(j.resposta(*id, false, {}, QStringLiteral("62")));
        }
    }
    // Another process appends after our load.
    TransactionJournal other = journal();
    ASSERT_TRUE(other.pedido(sale(QStringLiteral("999"))));
    ASSERT_TRUE(j.compact(2));
    const TransactionJournal after = journal();
    ASSERT_EQ(after.entries().size(), 4U);  // the open 102 and 999, the last two closed
    EXPECT_NE(after.findByNsu(QStringLiteral("102")), nullptr);
    EXPECT_NE(after.findByNsu(QStringLiteral("999")), nullptr);
    EXPECT_NE(after.findByNsu(QStringLiteral("105")), nullptr);
    EXPECT_EQ(after.findByNsu(QStringLiteral("100")), nullptr);
    EXPECT_EQ(after.openEntries().size(), 2U);
}

TEST_F(TransactionJournalTest, AJournalThatCannotBeWrittenSaysSoAndRecordsNothing) {
    TransactionJournal j(root_.native("no-such-folder/VtxClient.jnl"));
    ASSERT_TRUE(j.load());  // missing: empty
    EXPECT_FALSE(j.pedido(sale()));
    EXPECT_TRUE(j.lastError().contains(QStringLiteral("no-such-folder")));
    EXPECT_TRUE(j.entries().empty());
}

}  // namespace
}  // namespace vtx::client
