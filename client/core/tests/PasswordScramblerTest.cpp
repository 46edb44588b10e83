#include "core/PasswordScrambler.h"

#include <gtest/gtest.h>

#include <string>

#include "core/Cp1252Text.h"
#include "core/DelimitedItems.h"

namespace vtx::client {
namespace {

TEST(CriptografiaSenha, ScramblesByCodeAndRoundTripsCodesUpTo200) {
    QString text = QStringLiteral("1Ae");  // 49, 65, 101
    CriptografiaSenha(text, QStringLiteral("C"));
    EXPECT_EQ(text, QString(QChar(204)) + QChar(220) + QChar(1));

    std::string codes;
    for (int code = 0; code <= 200; ++code) codes.push_back(static_cast<char>(code));
    const QString all = fromCp1252(codes);
    QString scrambled = all;
    CriptografiaSenha(scrambled, QStringLiteral("C"));
    EXPECT_NE(scrambled, all);
    CriptografiaSenha(scrambled, QStringLiteral("D"));
    EXPECT_EQ(scrambled, all);

    QString copied = QStringLiteral("1234");
    CriptografiaSenha(copied, QStringLiteral("c"));
    EXPECT_EQ(copied, QStringLiteral("1234"));
}

TEST(GeraCriptografia, KeyZeroCopiesAndOtherKeysRoundTrip) {
    EXPECT_EQ(GeraCriptografia(QStringLiteral("ABC"), QStringLiteral("C"), 0),
              QStringLiteral("ABC"));
    EXPECT_EQ(GeraCriptografia(QStringLiteral("ABC"), QStringLiteral("C"), 1),
              QStringLiteral("@AB"));
    // x <= k: x + (256 - k); 'A' (65) with key 70 gives 251.
    EXPECT_EQ(GeraCriptografia(QStringLiteral("A"), QStringLiteral("C"), 70), QString(QChar(251)));
    QString text = QStringLiteral("Senha 470251 Ç");
    for (int key : {1, 65, 128, 255}) {
        QString scrambled = GeraCriptografia(text, QStringLiteral("C"), key);
        EXPECT_EQ(GeraCriptografia(scrambled, QStringLiteral("D"), key), text) << key;
    }
    EXPECT_EQ(GeraCriptografia(text, QStringLiteral("X"), 9), text);
}

TEST(DelimitedItems, ItemsEndAtCommasAndLineEnds) {
    EXPECT_EQ(splitItems("000,MNG1,SSSSSSSSS,0000000000\r\n001,SUPORTE\r\n"),
              (QStringList{"000", "MNG1", "SSSSSSSSS", "0000000000", "001", "SUPORTE"}));
    // Blanks stay; empty lines add nothing; a comma opens an item.
    EXPECT_EQ(splitItems("  AB  \n\n\rC,,D,\n"), (QStringList{"  AB  ", "C", "", "D", ""}));
    EXPECT_EQ(splitItems("\xC9X"), QStringList{QStringLiteral("ÉX")});
    EXPECT_TRUE(splitItems("").isEmpty());
}

}  // namespace
}  // namespace vtx::client
