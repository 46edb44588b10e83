// Sending the message under construction and judging the answer.
#include <gtest/gtest.h>

#include "messaging/MessageExchange.h"
#include "messaging/ReceiptLines.h"
#include "messaging/RequestBuilders.h"
#include "messaging/tests/MessagingFixture.h"

using namespace vtx::client;
using vtx::client::test::MessagingFixture;

namespace {

void buildMessageOfLength(ClientSession& session, int length) {
    session.mensagem.AdicionaCampo(QStringLiteral("000-000"), QStringLiteral("0100"));
    // "000-000=0100;" is 13 characters; one field fills the rest.
    const int valueLength = length - 13 - 9;
    session.mensagem.AdicionaCampo(QStringLiteral("920-000"), QString(valueLength, u'x'));
}

}  // namespace

TEST(ProcessaMsg, LargestMessageFillsTheBufferAndOneMoreIsNotSent) {
    MessagingFixture f;
    buildMessageOfLength(f.session, kLargestMessage);
    EXPECT_GE(ProcessaMsg(f.session), 0);
    ASSERT_EQ(f.comm.buffers.size(), 1);
    EXPECT_EQ(f.comm.buffers[0].size(), kExchangeSize);
    EXPECT_TRUE(f.comm.buffers[0].startsWith(QStringLiteral("3068000-000=0100;")));
    EXPECT_FALSE(f.comm.buffers[0].endsWith(u' '));

    buildMessageOfLength(f.session, kLargestMessage + 1);
    EXPECT_EQ(ProcessaMsg(f.session), kLibraryUnavailable);
    EXPECT_EQ(f.comm.buffers.size(), 1) << "a message that cannot be framed is not sent";
    EXPECT_EQ(f.dialogs.texts().value(0),
              QStringLiteral("Ocorreu o erro: 158 - Impossivel acessar Módulo VX32_Cli.dll"));
}

// An ISO request whose value does not fit its bit would have the host read
// every later bit from the wrong place: it is reported and never sent.
TEST(ProcessaMsg, IsoValueThatDoesNotFitItsBitIsReportedAndNotSent) {
    const struct {
        const char* key;
        QString value;
        const char* fault;
    } cases[] = {
        {"942-000", QStringLiteral("ESTAB0000000012345"),
         "6 - Overflow: bit 42 com 18 caracteres, cabem 15"},
        {"012-000", QStringLiteral("1234567890123"),
         "6 - Overflow: bit 37 com 13 caracteres, cabem 12"},
        {"953-000", QString(2986, u'4'), "6 - Overflow: bit 55 com 2986 caracteres, cabem 999"},
    };
    for (const auto& c : cases) {
        MessagingFixture f;
        f.session.settings.MsgIso = true;
        f.session.mensagem.AdicionaCampo(QStringLiteral("000-000"), QStringLiteral("0100"));
        f.session.mensagem.AdicionaCampo(QString::fromLatin1(c.key), c.value);
        EXPECT_EQ(ProcessaMsg(f.session), kLibraryUnavailable) << c.key;
        EXPECT_TRUE(f.comm.buffers.isEmpty()) << c.key << ": the library is never called";
        EXPECT_EQ(f.dialogs.texts(), QStringList{QStringLiteral("Ocorreu o erro: ") + c.fault});
        EXPECT_EQ(f.session.RetornoMensagem, QString::fromUtf8(c.fault));
    }
}

TEST(ProcessaMsg, IsoValuesThatFillTheirBitsExactlyAreSent) {
    MessagingFixture f;
    f.session.settings.MsgIso = true;
    f.session.mensagem.AdicionaCampo(QStringLiteral("000-000"), QStringLiteral("0100"));
    f.session.mensagem.AdicionaCampo(QStringLiteral("012-000"), QStringLiteral("123456789012"));
    f.session.mensagem.AdicionaCampo(QStringLiteral("942-000"), QStringLiteral("ESTAB0000012345"));
    f.session.mensagem.AdicionaCampo(QStringLiteral("953-000"), QString(999, u'4'));
    EXPECT_GE(ProcessaMsg(f.session), 0);
    ASSERT_EQ(f.comm.sent.size(), 1);
    EXPECT_EQ(f.comm.sent[0], QStringLiteral("0100"
                                             "0000000008400200"
                                             "123456789012"
                                             "ESTAB0000012345"
                                             "999") +
                                  QString(999, u'4'));
    EXPECT_TRUE(f.dialogs.texts().isEmpty());
}

// The establishment code of the station goes into every request: one too
// long for its bit stops the request before the library.
TEST(ProcessaMsg, IsoRequestWithAnOverlongEstablishmentCodeIsNotSent) {
    MessagingFixture f;
    f.session.settings.MsgIso = true;
    f.session.settings.CodigoEstab = QStringLiteral("ESTAB0000000012345");
    f.session.tipoTransacao = QStringLiteral("PREVENDA");
    f.session.cartao = {QStringLiteral("6033120000001234"), QStringLiteral("123"), QString()};
    Mensagem_ElegPortador(f.session, 0);
    EXPECT_TRUE(f.comm.buffers.isEmpty());
    EXPECT_EQ(f.dialogs.texts().value(0),
              QStringLiteral("Ocorreu o erro: 6 - Overflow: bit 42 com 18 caracteres, cabem 15"));
}

TEST(ProcessaMsg, ShortMessagePaddedWithBlanksAndAnswerKept) {
    MessagingFixture f;
    f.session.mensagem.AdicionaCampo(QStringLiteral("000-000"), QStringLiteral("0200"));
    f.comm.answerText(QStringLiteral("009-000=00;012-000=000042;"));
    EXPECT_EQ(ProcessaMsg(f.session), 30);
    EXPECT_EQ(f.comm.buffers[0], QStringLiteral("0013000-000=0200;") + QString(3072 - 17, u' '));
    EXPECT_EQ(f.comm.admins[0], QStringLiteral("REDE ALFA"));
    EXPECT_EQ(GetCampo(f.session, QStringLiteral("012-000")), QStringLiteral("000042"));
}

TEST(ProcessaMsg, FailureCodesBecomeOperatorTexts) {
    MessagingFixture f;
    f.session.mensagem.AdicionaCampo(QStringLiteral("000-000"), QStringLiteral("0200"));
    f.comm.answer(-163);
    f.comm.answer(-164);
    f.comm.answer(-202);
    EXPECT_EQ(ProcessaMsg(f.session), -163);
    EXPECT_EQ(f.session.RetornoMensagem, QStringLiteral("163- Não foi possível acessar a Internet"));
    EXPECT_EQ(ProcessaMsg(f.session), -164);
    EXPECT_EQ(f.session.RetornoMensagem, QStringLiteral("164- Servidor fora do Ar."));
    EXPECT_EQ(ProcessaMsg(f.session), -202);
    EXPECT_EQ(f.session.RetornoMensagem, QStringLiteral("     Erro de conexão = -202"));

    f.comm.reachable = false;
    EXPECT_EQ(ProcessaMsg(f.session), kLibraryUnavailable);
    EXPECT_EQ(f.session.RetornoMensagem, QStringLiteral("158 - Impossivel acessar Módulo VX32_Cli.dll"));
}

TEST(VerificaRetorno, StatusDecidesAndTextsAreShown) {
    MessagingFixture f;
    auto judge = [&](const QString& answer, bool show = true) {
        f.session.RetornoMensagem = QString::number(answer.size()).rightJustified(4, u'0') + answer;
        f.dialogs.clear();
        return VerificaRetorno(f.session, show);
    };
    EXPECT_TRUE(judge(QStringLiteral("009-000=39;")));
    EXPECT_TRUE(f.dialogs.texts().isEmpty());
    EXPECT_FALSE(judge(QStringLiteral("009-000=40;")));
    EXPECT_TRUE(f.dialogs.texts().isEmpty());
    EXPECT_FALSE(judge(QStringLiteral("009-000=200;")));
    EXPECT_EQ(f.dialogs.texts(),
              QStringList{QStringLiteral("Erro :  200 - Contatar o suporte ALFA0001 .")});
    EXPECT_TRUE(judge(QStringLiteral("009-000=00;030-000=SALDO BAIXO;")));
    EXPECT_EQ(f.dialogs.texts(), QStringList{QStringLiteral("SALDO BAIXO")});
    EXPECT_TRUE(judge(QStringLiteral("009-000=00;030-000=SALDO BAIXO;"), false));
    EXPECT_TRUE(f.dialogs.texts().isEmpty());
    EXPECT_TRUE(judge(QStringLiteral("000-000=0202;009-000=96;")));

    f.session.RetornoMensagem = QStringLiteral("0004E12") + QString(100, u' ');
    f.dialogs.clear();
    EXPECT_FALSE(VerificaRetorno(f.session, true));
    EXPECT_EQ(f.dialogs.texts(), QStringList{QStringLiteral("Erro:  E12 - Contatar o suporte ALFA0001 .")});

    f.session.RetornoMensagem = QStringLiteral("0");
    f.dialogs.clear();
    EXPECT_FALSE(VerificaRetorno(f.session, true));
    EXPECT_EQ(f.dialogs.texts(),
              QStringList{QStringLiteral("Mensagem sem Retorno - Contatar o suporte ALFA0001 .")});
}

TEST(ProcessaLogon, AcceptanceRules) {
    MessagingFixture f;
    f.comm.answerText(QStringLiteral("OK"));
    EXPECT_TRUE(ProcessaLogon(f.session));
    EXPECT_TRUE(f.comm.buffers[0].startsWith(QStringLiteral("0006LOGIN|")));
    EXPECT_EQ(f.comm.buffers[0].size(), 3072);

    f.comm.answerText(QStringLiteral("009-000=00;"));
    EXPECT_TRUE(ProcessaLogon(f.session));

    f.comm.answerText(QStringLiteral("009-000=05;"));
    EXPECT_FALSE(ProcessaLogon(f.session));
    EXPECT_EQ(f.dialogs.texts().last(), QStringLiteral("Erro :  05 - Contatar o suporte ."));

    f.comm.answerText(QStringLiteral("009-000=05;030-000=TERMINAL BLOQUEADO;"));
    EXPECT_FALSE(ProcessaLogon(f.session));
    EXPECT_EQ(f.dialogs.texts().last(), QStringLiteral("TERMINAL BLOQUEADO"));

    f.comm.answer(-164);
    EXPECT_FALSE(ProcessaLogon(f.session));
    EXPECT_EQ(f.dialogs.texts().last(), QStringLiteral("164- Servidor fora do Ar."));
}

TEST(ReceiptLines, CountAndLines) {
    MessagingFixture f;
    f.session.RetornoMensagem = QStringLiteral("0000009-000=00;");
    EXPECT_EQ(GetQtdLinha(f.session), 0);
    f.session.RetornoMensagem = QStringLiteral(
        "0000009-000=00;028-000=02;029-000=  FARMACIA CENTRAL;029-001=TOTAL 12,50;");
    EXPECT_EQ(GetQtdLinha(f.session), 2);
    EXPECT_EQ(GetLinhaImpressao(f.session, 0), QStringLiteral("  FARMACIA CENTRAL"));
    EXPECT_EQ(GetLinhaImpressao(f.session, 1), QStringLiteral("TOTAL 12,50"));
    EXPECT_EQ(GetLinhaImpressao(f.session, 2), QString());
}
