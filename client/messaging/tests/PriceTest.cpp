// Price look-up and reconciliation with the prices on the screen.
#include <gtest/gtest.h>

#include "messaging/Amounts.h"
#include "messaging/PriceLookup.h"
#include "messaging/tests/MessagingFixture.h"

using namespace vtx::client;
using vtx::client::test::MessagingFixture;

namespace {

struct Screen {
    QString descricao, bruto, liquido, receber, desconto, exibicao;
};

bool lookUp(MessagingFixture& f, Screen& s) {
    return ProcessaPreco(f.session, QStringLiteral("7891234567890"), QStringLiteral("U"),
                         s.descricao, s.bruto, s.liquido, s.receber, {}, s.desconto, s.exibicao);
}

}  // namespace

TEST(ProcessaPreco, DiscountOnTheScreenIsReconciled) {
    MessagingFixture f;
    f.comm.price = CommLibrary::Price{0, QStringLiteral("DIPIRONA"), QStringLiteral("0001000"),
                                      QStringLiteral("0000950")};
    Screen s{{}, "10,00", "9,00", "9,00", "5,00", {}};
    EXPECT_TRUE(lookUp(f, s));
    EXPECT_EQ(s.liquido, QStringLiteral("9,50"));
    EXPECT_EQ(s.desconto, QStringLiteral("05,00"));
    EXPECT_EQ(s.receber, QStringLiteral("9,50"));
    EXPECT_EQ(s.descricao, QStringLiteral("DIPIRONA"));
    EXPECT_EQ(s.exibicao, QStringLiteral("9,50"));

    Screen t{{}, "10,00", "9,00", "0", "10,00", {}};
    EXPECT_TRUE(lookUp(f, t));
    EXPECT_EQ(t.liquido, QStringLiteral("9,00"));
    EXPECT_EQ(t.desconto, QStringLiteral("10,00"));
}

TEST(ProcessaPreco, SamePricesChangeNothingAndMissingProductFails) {
    MessagingFixture f;
    f.comm.price = CommLibrary::Price{0, QStringLiteral("X"), QStringLiteral("0001000"),
                                      QStringLiteral("0000900")};
    Screen s{QStringLiteral("ORIGINAL"), "10,00", "9,00", "7,00", "3,00", {}};
    EXPECT_TRUE(lookUp(f, s));
    EXPECT_EQ(s.descricao, QStringLiteral("ORIGINAL"));
    EXPECT_EQ(s.receber, QStringLiteral("7,00"));
    EXPECT_EQ(s.desconto, QStringLiteral("3,00"));

    f.comm.price = CommLibrary::Price{-1, {}, {}, {}};
    EXPECT_FALSE(lookUp(f, s));

    f.comm.reachable = false;
    EXPECT_FALSE(lookUp(f, s));
    EXPECT_EQ(f.dialogs.texts().last(),
              QStringLiteral("Ocorreu o erro: 158 - Impossivel acessar Módulo VX32_Cli.dll"));
}

TEST(Amounts, LocalTextsAndCents) {
    EXPECT_EQ(centsField(u"12,5"), QStringLiteral("0001250"));
    EXPECT_EQ(centsField(u"1.234,56"), QStringLiteral("0123456"));
    EXPECT_EQ(centsField(u"12.50"), QStringLiteral("0001250"));
    EXPECT_EQ(centsField(u""), QStringLiteral("0000000"));
    EXPECT_FALSE(centsField(u"12,5x"));
    EXPECT_EQ(centsToAmount(u"1250"), QStringLiteral("12,50"));
    EXPECT_EQ(centsToAmount(u"abc"), QStringLiteral("0,00"));
}
