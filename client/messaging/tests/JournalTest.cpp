// The builders' steps in the pending-transaction journal (each recorded
// before its request leaves; a request the journal cannot hold does not
// leave) and the settlement of what a station left open: by policy, by the
// operator, by the host's pending list when an answer never came, and the
// same thing sent again when its outcome was never heard.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "TestRoot.h"
#include "messaging/GridLoaders.h"
#include "messaging/PendingSettlement.h"
#include "messaging/RequestBuilders.h"
#include "messaging/tests/MessagingFixture.h"
#include "core/testing/ReportStation.h"

namespace vtx::client {
namespace {

namespace Col = PreSaleColumn;
using test::MessagingFixture;

// The fake library that also notes, at every send, where the journal stood.
class JournalWatchingComm : public test::FakeCommLibrary {
public:
    std::optional<int> process(QString& exchange, QString& admin, const QString& service) override {
        if (journal != nullptr) {
            TransactionJournal reader(journal->path());
            reader.load();
            const std::vector<JournalEntry> open = reader.openEntries();
            statesAtSend.push_back(open.empty() ? JournalState::Encerrada : open.back().state);
        }
        return FakeCommLibrary::process(exchange, admin, service);
    }
    TransactionJournal* journal = nullptr;
    std::vector<JournalState> statesAtSend;
};

const QString kAccepted = QStringLiteral("009-000=00;012-000=000000000321;");

class JournalTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(root_.native("C/VANTRIX"));
        EstruturaPrincipal& s = session.settings;
        s.PathServer = QStringLiteral("C:\\VANTRIX");
        s.TipoEstab = 1;
        s.CodigoEstab = QStringLiteral("123456789012345");
        s.NomeAdministradora = QStringLiteral("REDE ALFA");
        s.CodigoAdministradora = QStringLiteral("ALFA0001");
        session.clock = [] { return QDateTime(QDate(2026, 12, 8), QTime(16, 40, 1)); };
        journal = std::make_unique<TransactionJournal>(TransactionJournal::pathFor(s));
        journal->setClock([] { return QDateTime(QDate(2026, 12, 8), QTime(16, 40, 1)); });
        ASSERT_TRUE(journal->load());
        session.journal = journal.get();
        comm.journal = journal.get();
        session.cartao.numero = QStringLiteral("6012345678901234");
    }

    // An authorised sale of NSU 321 (two units of 10,00) left in the journal.
    // `result`: the library's result for the sale (negative: no answer).
    bool sale(int result = 0) {
        session.tipoTransacao = QStringLiteral("VENDA");
        session.nsu = QStringLiteral("000321");
        GridModel grid(1, Col::kCount);
        grid.setText(1, Col::kCodigo, QStringLiteral("7891000100103"));
        grid.setText(1, Col::kTipoItem, QStringLiteral("1"));
        grid.setText(1, Col::kQuantidade, QStringLiteral("2"));
        grid.setText(1, Col::kPrecoBruto, QStringLiteral("12,50"));
        grid.setText(1, Col::kPrecoLiquido, QStringLiteral("10,00"));
        grid.setText(1, Col::kValorCredito, QStringLiteral("0,00"));
        EXPECT_TRUE(CarregaItem_Grid(session, grid));
        if (result < 0) comm.answer(result);
        else comm.answerText(kAccepted);
        return Mensagem_GeracaoPre(session, grid, QStringLiteral("4455"));
    }

    void writePending(const QStringList& rows) {
        QStringList lines{QStringLiteral("000,TTransacoes pendentes,"),
                          QStringLiteral("001,ATipo,ANSU,AData,ASituacao,AValor,ALote,AEstabelecimento,ANSU Original,")};
        lines << rows;
        testing::writeCheckedReport(root_, QStringLiteral("TPALFA0001"), lines);
    }

    const JournalEntry& only() {
        journal->load();
        EXPECT_EQ(journal->entries().size(), 1U);
        return journal->entries().front();
    }

    std::vector<SettledEntry> settle(PendingPolicy policy) {
        return PendingSettlement(session, policy, askOperator(session.dialogs)).run();
    }

    QString lastSent() const { return comm.sent.isEmpty() ? QString() : comm.sent.last(); }

    vtx::test::TempRoot root_;
    testing::ScriptedDialogs dialogs;
    JournalWatchingComm comm;
    ClientSession session{dialogs, comm};
    std::unique_ptr<TransactionJournal> journal;
};

TEST_F(JournalTest, EveryStepIsInTheJournalBeforeItsRequestLeaves) {
    ASSERT_TRUE(sale());
    EXPECT_EQ(only().state, JournalState::Autorizada);
    EXPECT_EQ(only().request.total, QStringLiteral("20,00"));
    EXPECT_EQ(only().request.cartao, QStringLiteral("601234******1234"));
    comm.answerText(QStringLiteral("009-000=00;"));
    ASSERT_TRUE(Mensagem_Confirmacao(session));
    EXPECT_EQ(only().outcome, JournalOutcome::Confirmada);
    // The sale left with its entry waiting for the answer, the confirmation
    // with its entry saying it was sent.
    EXPECT_EQ(comm.statesAtSend,
              (std::vector<JournalState>{JournalState::AguardandoResposta, JournalState::Confirmando}));
}

TEST_F(JournalTest, ARequestTheJournalCannotHoldDoesNotLeave) {
    TransactionJournal broken(root_.native("missing/VtxClient.jnl"));
    session.journal = &broken;
    EXPECT_FALSE(sale());
    EXPECT_TRUE(comm.sent.isEmpty());
    ASSERT_FALSE(dialogs.texts().isEmpty());
    EXPECT_TRUE(dialogs.texts().last().startsWith(QStringLiteral("Não foi possível gravar o diário")));
    session.nsu = QStringLiteral("000321");
    EXPECT_FALSE(Mensagem_Confirmacao(session));
    EXPECT_FALSE(Mensagem_Cancelamento(session, true));
    EXPECT_TRUE(comm.sent.isEmpty());
}

TEST_F(JournalTest, AConfirmationTheHostHadAlreadyDoneCountsAsDoneWithoutABox) {
    ASSERT_TRUE(sale());
    dialogs.clear();
    comm.answerText(QStringLiteral("009-000=94;030-000=Transacao ja confirmada;012-000=000000000321;"));
    EXPECT_TRUE(Mensagem_Confirmacao(session));
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_EQ(only().outcome, JournalOutcome::Confirmada);
    EXPECT_EQ(only().status, QStringLiteral("94"));
}

TEST_F(JournalTest, AConfirmationWithoutAnswerIsSentAgainWhateverThePolicy) {
    ASSERT_TRUE(sale());
    comm.answer(-163);
    EXPECT_FALSE(Mensagem_Confirmacao(session));
    EXPECT_EQ(only().state, JournalState::Confirmando);
    // Started again with "always annul": what left is a confirmation, so a
    // confirmation goes again, never an annulment.
    comm.answerText(QStringLiteral("009-000=00;"));
    const std::vector<SettledEntry> settled = settle(PendingPolicy::Desfazer);
    ASSERT_EQ(settled.size(), 1U);
    EXPECT_TRUE(settled.front().resolved);
    EXPECT_TRUE(lastSent().startsWith(QStringLiteral("000-000=0202;011-000=800300;")));
    EXPECT_TRUE(lastSent().contains(QStringLiteral("012-000=000000000321;")));
    EXPECT_EQ(only().outcome, JournalOutcome::Confirmada);
    // By hand the support team cannot turn it round either.
    comm.answer(-163);
    session.nsu = QStringLiteral("321");
    EXPECT_FALSE(Mensagem_Confirmacao(session));
    const auto byHand = PendingSettlement(session, PendingPolicy::Perguntar, nullptr)
                            .settleByHand(QStringLiteral("321"), false);
    ASSERT_TRUE(byHand);
    EXPECT_FALSE(byHand->resolved);
    EXPECT_EQ(only().state, JournalState::Confirmando);
}

TEST_F(JournalTest, TheOperatorIsAskedAboutAnAuthorisedSaleAndTheSessionIsPutBack) {
    ASSERT_TRUE(sale());
    session.nsu = QStringLiteral("000999");
    session.tipoTransacao = QStringLiteral("PREVENDA");
    session.RetornoMensagem = QStringLiteral("the screen's answer");
    dialogs.clear();
    dialogs.queueAnswer(MessageAnswer::No);  // "Desfazer"
    comm.answerText(QStringLiteral("009-000=00;"));
    const std::vector<SettledEntry> settled = settle(PendingPolicy::Perguntar);
    ASSERT_EQ(dialogs.messages().size(), 1U);
    const MessageRequest& box = dialogs.messages().front().request;
    EXPECT_EQ(box.labels, (std::vector<QString>{QStringLiteral("Confirmar"), QStringLiteral("Desfazer")}));
    EXPECT_EQ(box.defaultButton, MessageAnswer::No);
    EXPECT_TRUE(box.text.contains(QStringLiteral("Venda  NSU 000000000321")));
    EXPECT_TRUE(box.text.contains(QStringLiteral("Data: 08/12/2026 16:40:01")));
    EXPECT_TRUE(box.text.contains(QStringLiteral("Valor: 20,00"))) << box.text.toStdString();
    EXPECT_TRUE(lastSent().startsWith(QStringLiteral("000-000=0420;011-000=800300;")));
    EXPECT_EQ(only().outcome, JournalOutcome::Desfeita);
    EXPECT_TRUE(settlementReport(settled).contains(QStringLiteral("Venda NSU 000000000321, 08/12/2026 16:40, 20,00: desfeita")));
    EXPECT_EQ(session.nsu, QStringLiteral("000999"));
    EXPECT_EQ(session.tipoTransacao, QStringLiteral("PREVENDA"));
    EXPECT_EQ(session.RetornoMensagem, QStringLiteral("the screen's answer"));
}

TEST_F(JournalTest, ASaleWithoutAnswerIsLookedUpInThePendingListFirst) {
    EXPECT_FALSE(sale(-163));
    ASSERT_EQ(only().state, JournalState::AguardandoResposta);
    // The host lists it pending: it was authorised, and "always confirm" confirms it.
    writePending({QStringLiteral("002,ABE,N321,D081226164001,APEND.,M2000,A000001,A123456789012345,N0,")});
    comm.answerText(QStringLiteral("009-000=00;"));
    settle(PendingPolicy::Confirmar);
    EXPECT_TRUE(lastSent().startsWith(QStringLiteral("000-000=0202;")));
    EXPECT_EQ(only().outcome, JournalOutcome::Confirmada);
    EXPECT_TRUE(only().pelaConsulta);
}

TEST_F(JournalTest, ASaleTheHostDoesNotListIsAnnulledAllTheSame) {
    EXPECT_FALSE(sale(-163));
    writePending({});
    comm.answerText(QStringLiteral("009-000=58;030-000=Transacao nao encontrada;"));
    const std::vector<SettledEntry> settled = settle(PendingPolicy::Confirmar);
    EXPECT_TRUE(lastSent().startsWith(QStringLiteral("000-000=0420;")));
    EXPECT_EQ(only().outcome, JournalOutcome::NaoAutorizada);
    ASSERT_EQ(settled.size(), 1U);
    EXPECT_EQ(settled.front().texto, QStringLiteral("não chegou a ser autorizada"));
}

TEST_F(JournalTest, ACancellationWithoutAnswerIsFoundByTheTransactionItCancelled) {
    session.nsu = QStringLiteral("000321");
    session.tipoTransacao = QStringLiteral("TRANSACOESDOLOTE");
    comm.answer(-163);
    EXPECT_FALSE(Mensagem_Cancelamento(session, true));
    ASSERT_EQ(only().state, JournalState::AguardandoResposta);
    EXPECT_EQ(only().request.nsuOriginal, QStringLiteral("000321"));

    // No list at all: nothing can be decided, the entry stays.
    const size_t before = static_cast<size_t>(comm.sent.size());
    std::vector<SettledEntry> settled = settle(PendingPolicy::Desfazer);
    ASSERT_EQ(settled.size(), 1U);
    EXPECT_FALSE(settled.front().resolved);
    EXPECT_EQ(static_cast<size_t>(comm.sent.size()), before);

    // Another transaction's cancellation does not count; this one's does.
    writePending({QStringLiteral("002,ABE,N400,D081226164001,ACANC.,M1000,A000001,A1,N399,"),
                  QStringLiteral("002,ABE,N401,D081226164002,ACANC.,M2000,A000001,A1,N321,")});
    comm.answerText(QStringLiteral("009-000=00;"));
    settled = settle(PendingPolicy::Desfazer);
    EXPECT_TRUE(lastSent().startsWith(QStringLiteral("000-000=0420;011-000=800400;")));
    EXPECT_TRUE(lastSent().contains(QStringLiteral("012-000=000000000401;")));
    EXPECT_EQ(only().nsu, QStringLiteral("401"));
    EXPECT_EQ(only().outcome, JournalOutcome::Desfeita);
}

TEST_F(JournalTest, ACancellationTheHostDoesNotListWasNeverMadeAndNothingIsSent) {
    session.nsu = QStringLiteral("000321");
    comm.answer(-163);
    EXPECT_FALSE(Mensagem_Cancelamento(session, false));
    writePending({});
    const size_t before = static_cast<size_t>(comm.sent.size());
    settle(PendingPolicy::Confirmar);
    EXPECT_EQ(static_cast<size_t>(comm.sent.size()), before);
    EXPECT_EQ(only().outcome, JournalOutcome::NaoAutorizada);
    EXPECT_EQ(only().request.kind, JournalKind::CancelamentoParcial);
}

TEST_F(JournalTest, AnEntryTheHostCannotBeReachedForStaysForTheNextTime) {
    ASSERT_TRUE(sale());
    comm.answer(-164);
    const std::vector<SettledEntry> settled = settle(PendingPolicy::Desfazer);
    ASSERT_EQ(settled.size(), 1U);
    EXPECT_FALSE(settled.front().resolved);
    EXPECT_EQ(only().state, JournalState::Desfazendo);
    EXPECT_TRUE(settlementReport(settled).contains(QStringLiteral("sem resposta do servidor")));
    comm.answerText(QStringLiteral("009-000=00;"));
    EXPECT_TRUE(settleJournal(session));
    EXPECT_EQ(only().outcome, JournalOutcome::Desfeita);
}

TEST(PendingPolicyTest, TheSettingIsReadWithoutRegardToCaseAndAsksByDefault) {
    EXPECT_EQ(pendingPolicy(QStringLiteral(" desfazer ")), PendingPolicy::Desfazer);
    EXPECT_EQ(pendingPolicy(QStringLiteral("CONFIRMAR")), PendingPolicy::Confirmar);
    EXPECT_EQ(pendingPolicy(QString()), PendingPolicy::Perguntar);
    EXPECT_EQ(pendingPolicy(QStringLiteral("talvez")), PendingPolicy::Perguntar);
}

}  // namespace
}  // namespace vtx::client
