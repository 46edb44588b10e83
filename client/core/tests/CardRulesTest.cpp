// The card screen's checks: typed and read cards, the identification
// fields, and the PIN pad results.
#include "core/CardRules.h"

#include <gtest/gtest.h>

using namespace vtx::client;

namespace {

// A card field rule: kind, minimum and maximum, as a caption slot gives it.
CaptionEntry cardRule(const char* kind, qint16 minimum) {
    CaptionEntry rule;
    rule.flag = QString::fromLatin1(kind);
    rule.minLength = minimum;
    rule.maxLength = 19;
    return rule;
}

const QString kApenasNumeros =
    QStringLiteral("Dados Inválidos, digite apenas números no campo cartão. Tente novamente!");

}  // namespace

TEST(CardRules, TypedCardIsDigitsOnlyWithoutTheCharactersANumberWouldAllow) {
    EXPECT_TRUE(cartaoNumerico(QStringLiteral(" 6012345678 ")));
    for (const char* refused : {"60123456789.5", "6012,345678", "6012E45678", "6012D45678",
                                "+6012345678", "601234567-8", "6012*45678", "6012/45678", "", "   "})
        EXPECT_FALSE(cartaoNumerico(QString::fromLatin1(refused))) << refused;
    EXPECT_FALSE(cartaoNumerico(QStringLiteral("6012٣45678"))) << "only ASCII digits";

    const CaptionEntry rule = cardRule("N", 10);
    EXPECT_EQ(checkCard(QStringLiteral("60123456789.5"), true, rule).message, kApenasNumeros);
    EXPECT_EQ(checkCard(QStringLiteral("601234567"), true, rule).message,
              QStringLiteral("Digite pelo menos 10 números no campo cartão. Tente novamente!"));
    EXPECT_TRUE(checkCard(QStringLiteral("6012345678"), true, rule).passed()) << "the minimum";
    EXPECT_EQ(checkCard(QStringLiteral("  "), true, rule).message,
              QStringLiteral("Digite o número do Cartão. Tente novamente!"));
    EXPECT_TRUE(checkCard(QStringLiteral("6012.45678"), true, cardRule("A", 10)).passed())
        << "a card field of another kind takes any character";
}

TEST(CardRules, ReadCardIsCheckedForLengthOnlyWithTheReaderMessages) {
    const CaptionEntry rule = cardRule("N", 10);
    EXPECT_EQ(checkCard(QString(), false, rule).message,
              QStringLiteral("Passe o Cartão no leitor. Tente novamente!"));
    EXPECT_EQ(checkCard(QStringLiteral("%B6012?"), false, rule).message,
              QStringLiteral("Passe o cartão no leitor. Tente novamente!"));
    EXPECT_TRUE(checkCard(QStringLiteral("%B6012345678^MARIA?"), false, rule).passed());
}

TEST(CardRules, IdentificationChecksTheTypedCardThenEachAskedField) {
    const CaptionEntry rule = cardRule("N", 10);
    const QString card = QStringLiteral("6012345678");
    std::array<IdentificationEntry, 2> fields{
        IdentificationEntry{true, 3, QStringLiteral("12")},
        IdentificationEntry{false, 0, QString()}};

    // The plain numeric test: a decimal point passes here.
    EXPECT_EQ(checkIdentification(QStringLiteral("6012345678.5"), true, rule, false,
                                  {IdentificationEntry{}, IdentificationEntry{}})
                  .passed(),
              true);
    EXPECT_EQ(checkIdentification(QStringLiteral("60123A"), true, rule, false, fields).message,
              kApenasNumeros);
    EXPECT_EQ(checkIdentification(QStringLiteral("x"), false, rule, false, fields).message,
              QStringLiteral("Digite pelo menos 3 números. Tente novamente!"))
        << "a read card is not checked again";

    CardCheck check = checkIdentification(card, true, rule, false, fields);
    EXPECT_EQ(check.message, QStringLiteral("Digite pelo menos 3 números. Tente novamente!"));
    EXPECT_EQ(check.focus, CardBox::Campo1);

    fields[0].text = QStringLiteral("12a");
    EXPECT_TRUE(checkIdentification(card, true, rule, false, fields).passed());
    EXPECT_EQ(checkIdentification(card, true, rule, true, fields).message,
              QStringLiteral("Dados Inválidos, digite apenas números no campo. Tente novamente!"));

    fields[0].text = QStringLiteral(" 123 ");
    fields[1] = IdentificationEntry{true, 2, QStringLiteral("x")};
    check = checkIdentification(card, true, rule, true, fields);
    EXPECT_EQ(check.message, QStringLiteral("Dados Inválidos, digite apenas números. Tente novamente!"));
    EXPECT_EQ(check.focus, CardBox::Campo2);
    fields[1].text = QStringLiteral("7");
    EXPECT_EQ(checkIdentification(card, true, rule, true, fields).focus, CardBox::Campo2);
    fields[1].text = QStringLiteral("77");
    EXPECT_TRUE(checkIdentification(card, true, rule, true, fields).passed());
}

TEST(CardRules, PinPadResultsAndTheirMessages) {
    EXPECT_TRUE(pinPadReadMessage(0).isEmpty());
    EXPECT_TRUE(pinPadReadMessage(12).isEmpty());
    EXPECT_TRUE(pinPadReadMessage(-4).isEmpty()) << "cancelled on the pad";
    for (int access : {-1, -5, -19})
        EXPECT_EQ(pinPadReadMessage(access), QStringLiteral("Erro no Acesso ao PinPad")) << access;
    for (int read : {-20, -21, -65335})
        EXPECT_EQ(pinPadReadMessage(read), QStringLiteral("Erro na Leitura do Cartão")) << read;
}
