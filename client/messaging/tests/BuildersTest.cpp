// The field list of every request, in order, as the host receives it.
#include <gtest/gtest.h>

#include "TestRoot.h"
#include "messaging/RequestBuilders.h"
#include "messaging/tests/MessagingFixture.h"
#include "vtx/platform/IniFile.h"

using namespace vtx::client;
using vtx::client::test::MessagingFixture;

namespace {

const QStringList kCommon = {
    "001-000=1111", "040-000=REDE ALFA", "940-000=003", "942-000=123456789012345",
    "941-000=T4N8B6QX", "023-000=140509", "022-000=1207"};

// 000-000, 011-000, then the common fields with 012-000 where given.
QStringList header(const QString& code, const QString& processing, const QString& nsu = {}) {
    QStringList fields = {"000-000=" + code, "011-000=" + processing};
    fields << kCommon.mid(0, 2);
    if (!nsu.isEmpty()) fields << "012-000=" + nsu;
    fields << kCommon.mid(2);
    return fields;
}

}  // namespace

TEST(Eligibility, FieldsForPreSaleAndSale) {
    MessagingFixture f;
    f.session.tipoTransacao = QStringLiteral("PREVENDA");
    f.session.cartao = {QStringLiteral("6033120000001234"), QStringLiteral("123"), QString()};
    f.comm.answerText(QStringLiteral("009-000=00;012-000=000777;"));
    EXPECT_TRUE(Mensagem_ElegPortador(f.session, 0));
    EXPECT_EQ(f.fieldsSent(), header("0100", "800000")
                                  << "953-000=6033120000001234" << "949-000=03123");
    EXPECT_EQ(f.session.nsu, QStringLiteral("000777"));

    f.session.settings.CodProcessamentoPreVenda = QStringLiteral("800010");
    f.session.cartao.identificacao1.clear();
    EXPECT_TRUE(Mensagem_ElegPortador(f.session, 0));
    EXPECT_EQ(f.fieldsSent(), header("0100", "800010") << "953-000=6033120000001234");

    f.session.tipoTransacao = QStringLiteral("VENDA");
    f.session.cartao.identificacao2 = QStringLiteral(" AB ");
    EXPECT_TRUE(Mensagem_ElegPortador(f.session, 2));
    EXPECT_EQ(f.fieldsSent(), header("0100", "800500")
                                  << "953-000=6033120000001234" << "900-000=2" << "949-000=0002AB");
}

TEST(Eligibility, RefusalShowsTheOperatorMessageAndKeepsTheNsu) {
    MessagingFixture f;
    f.session.nsu = QStringLiteral("111");
    f.comm.answerText(QStringLiteral("009-000=51;030-000=CARTAO INVALIDO;012-000=000999;"));
    EXPECT_FALSE(Mensagem_ElegPortador(f.session, 0));
    EXPECT_EQ(f.dialogs.texts(), QStringList{QStringLiteral("CARTAO INVALIDO")});
    EXPECT_EQ(f.session.nsu, QStringLiteral("111"));

    f.comm.answer(-163);
    EXPECT_FALSE(Mensagem_ElegPortador(f.session, 0));
    EXPECT_EQ(f.dialogs.texts().last(), QStringLiteral("163- Não foi possível acessar a Internet"));
}

TEST(Settlement, ConfirmationAndReversalCodes) {
    MessagingFixture f;
    f.session.nsu = QStringLiteral("4321");
    f.session.tipoTransacao = QStringLiteral("VENDA");
    EXPECT_TRUE(Mensagem_Confirmacao(f.session));
    EXPECT_EQ(f.fieldsSent(), header("0202", "800300", "000000004321"));

    f.session.tipoTransacao = QStringLiteral("TRANSACOESPENDENTES");
    f.session.pendente = {QStringLiteral("BE01"), QStringLiteral(" canc. ")};
    EXPECT_EQ(codigoProcessamentoConfirmacao(f.session), QStringLiteral("800400"));
    f.session.pendente = {QStringLiteral("XY"), QStringLiteral(" canc. ")};
    EXPECT_EQ(codigoProcessamentoConfirmacao(f.session), QStringLiteral("900300"));
    f.session.pendente = {QStringLiteral("XY"), QStringLiteral("CANC.")};
    EXPECT_EQ(codigoProcessamentoConfirmacao(f.session), QStringLiteral("900400"));
    f.session.pendente = {QStringLiteral("BC"), QStringLiteral("PEND")};
    EXPECT_EQ(codigoProcessamentoConfirmacao(f.session), QStringLiteral("800300"));
    f.session.tipoTransacao = QStringLiteral("OUTRA");
    EXPECT_EQ(codigoProcessamentoConfirmacao(f.session), QStringLiteral("800400"));

    f.session.tipoTransacao = QStringLiteral("PREVENDA");
    EXPECT_TRUE(Mensagem_Anulacao(f.session));
    EXPECT_EQ(f.fieldsSent(), header("0420", "800300", "000000004321"));
    f.comm.answer(-164);
    EXPECT_TRUE(Mensagem_Anulacao(f.session)) << "a reversal that could not be sent is not refused";
    f.comm.answerText(QStringLiteral("009-000=57;"));
    EXPECT_FALSE(Mensagem_Anulacao(f.session));
}

TEST(Cancellation, WithAndWithoutProducts) {
    MessagingFixture f;
    f.session.nsu = QStringLiteral("55");
    f.comm.answerText(QStringLiteral("009-000=00;012-000=000056;"));
    EXPECT_TRUE(Mensagem_Cancelamento(f.session, true));
    EXPECT_EQ(f.fieldsSent(), header("0200", "800400", "000000000055")
                                  << "900-000=0" << "901-000=00");
    EXPECT_EQ(f.session.nsu, QStringLiteral("000056"));

    f.session.pendente.tipo = QStringLiteral("XY");
    int i = f.session.produtos.appendEmpty();
    f.session.produtos.codigo[i] = QStringLiteral("7891234567890");
    f.session.produtos.tipoItem[i] = QStringLiteral("U");
    f.session.produtos.quantidade[i] = QStringLiteral("2");
    EXPECT_TRUE(Mensagem_Cancelamento(f.session, false));
    EXPECT_EQ(f.fieldsSent(), header("0200", "900400", "000000000056")
                                  << "900-000=0" << "901-000=1" << "902-000=7891234567890"
                                  << "906-000=U" << "905-000=2");
}

TEST(ProductQueryAndRegistration, Fields) {
    vtx::test::TempRoot root;
    MessagingFixture f;
    f.session.settings.PathServer = QStringLiteral("C:\\VANTRIX");
    GridModel grid;
    f.comm.answerText(QStringLiteral("009-000=00;900-000=1;901-000=01;902-000=7891234567890;"
                                     "903-000=DIPIRONA;910-000=1250;911-000=1000;919-000=00;"));
    EXPECT_TRUE(Mensagem_Consulta_Produtos(f.session, QStringLiteral("DIPI"), 0, grid,
                                           ProductQueryTarget::QueryGrid));
    EXPECT_EQ(f.fieldsSent(), header("0100", "800100") << "900-000=0" << "920-000=DIPI");
    EXPECT_EQ(grid.maxRows(), 1);
    EXPECT_EQ(grid.text(1, 1), QStringLiteral("DIPIRONA"));
    EXPECT_EQ(grid.text(1, 4), QStringLiteral("12,50"));
    EXPECT_EQ(grid.text(1, 8), QStringLiteral("7891234567890"));
    EXPECT_EQ(f.session.maisItens, QStringLiteral("1"));

    f.comm.answerText(QStringLiteral("009-000=00;"));
    EXPECT_TRUE(Mensagem_Alteracao_Cadastral(f.session, QStringLiteral(" DIST 9 "),
                                             QStringLiteral(" REDE ALFA ")));
    EXPECT_EQ(f.fieldsSent(), header("0800", "388100") << "990-000=DIST 9");
    EXPECT_EQ(vtx::platform::iniGetString("C:\\VANTRIX\\VtxClient.ini", "DADOS_GERAIS",
                                          "DISTRIBUIDORA_REDE ALFA", ""),
              "DIST 9");
}
