// The external price system through its library (the stand-in
// libPrxLib32.so beside the test program), and ProcessaPreco using it when
// the station identifies cards through that system.
#include <gtest/gtest.h>

#include "TestRoot.h"
#include "messaging/PriceLookup.h"
#include "messaging/PriceSystem.h"
#include "messaging/tests/MessagingFixture.h"

using namespace vtx::client;
using vtx::client::test::MessagingFixture;

namespace {

struct PriceStation {
    PriceStation() {
        root.writeFile("C/Windows/PrxLib32.ini",
                       "[LOGON]\r\nCode=PcLx****\r\n"
                       "[0000]\r\n7891234567890=DIPIRONA 500MG;10,00;9,50;AB;1;2;3;7891111111111\r\n"
                       "7890000000001=SORO;700;0;;0;0;0;\r\n"
                       "[0042]\r\n7891234567890=DIPIRONA LOJA 42;1100;abc;;0;0;0;\r\n");
        f.session.priceSystem = &system;
        f.session.settings.IdentificaCartaoDS = true;
    }
    vtx::test::TempRoot root;
    MessagingFixture f;
    LoadedPriceSystem system;
};

}  // namespace

TEST(ExternalPrice, LookUpsThroughTheLibrary) {
    PriceStation st;
    PrecoExterno preco;
    ASSERT_TRUE(lePrecoEan(st.f.session, QStringLiteral("0000"), QStringLiteral("7891234567890"), preco));
    EXPECT_EQ(preco.descricao.trimmed(), QStringLiteral("DIPIRONA 500MG"));
    EXPECT_EQ(preco.precoBruto, QStringLiteral("10,00"));
    EXPECT_EQ(preco.precoLiquido, QStringLiteral("9,50"));
    EXPECT_EQ(preco.codigo, QStringLiteral("AB"));
    EXPECT_EQ(preco.valor3, 3);
    EXPECT_EQ(preco.associados, QStringList{QStringLiteral("7891111111111")});

    // A promotional price of zero or not a number is ignored.
    ASSERT_TRUE(lePrecoCategoria(st.f.session, QStringLiteral("0000"), QStringLiteral("7890000000001"), preco));
    EXPECT_EQ(preco.precoLiquido, QStringLiteral("700"));
    ASSERT_TRUE(lePrecoCategoria(st.f.session, QStringLiteral("0042"), QStringLiteral("7891234567890"), preco));
    EXPECT_EQ(preco.precoLiquido, QStringLiteral("1100"));

    EXPECT_FALSE(lePrecoCategoria(st.f.session, QStringLiteral("0000"), QStringLiteral("1"), preco));
    EXPECT_TRUE(preco.descricao.isEmpty());
    EXPECT_EQ(st.f.dialogs.texts().last(),
              QStringLiteral("Erro durante a leitura do preço do produto ou produto não encontrado."));
    EXPECT_EQ(st.f.dialogs.messages().back().request.title, QStringLiteral("ATENÇÃO !!"));
}

TEST(ExternalPrice, LogonRefusedAndStoreCodeUsed) {
    PriceStation st;
    st.root.writeFile("C/Windows/PrxLib32.ini", "[LOGON]\r\nFail=1\r\n");
    PrecoExterno preco;
    EXPECT_FALSE(lePrecoCategoria(st.f.session, QStringLiteral("0000"), QStringLiteral("7891234567890"), preco));
    EXPECT_EQ(st.f.dialogs.texts().last(),
              QStringLiteral("Erro durante o Logon ao Brisco. A aplicação não pode retornar o preço."));
}

TEST(ExternalPrice, ProcessaPrecoUsesTheStoreOfThePriceSystem) {
    PriceStation st;
    st.f.session.lojaSistemaPrecos = QStringLiteral("0042");
    QString descricao, bruto = "11,00", liquido = "11,00", receber = "0", desconto = "0,00", exibicao;
    EXPECT_TRUE(ProcessaPreco(st.f.session, QStringLiteral("7891234567890"), QStringLiteral("1"),
                              descricao, bruto, liquido, receber, {}, desconto, exibicao));
    EXPECT_EQ(exibicao, QStringLiteral("11,00"));
    EXPECT_TRUE(descricao.isEmpty()) << "prices unchanged: nothing else is touched";

    st.f.session.lojaSistemaPrecos.clear();
    bruto = "11,00";
    liquido = "11,00";
    EXPECT_TRUE(ProcessaPreco(st.f.session, QStringLiteral("7891234567890"), QStringLiteral("1"),
                              descricao, bruto, liquido, receber, {}, desconto, exibicao));
    EXPECT_EQ(descricao, QStringLiteral("DIPIRONA 500MG"));
    EXPECT_EQ(bruto, QStringLiteral("10,00"));
    EXPECT_EQ(liquido, QStringLiteral("9,50"));
    EXPECT_EQ(desconto, QStringLiteral("05,00"));
}
