#include "widgets/AmountEntry.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

using vtx::client::widgets::AmountEntryFilter;
using vtx::client::widgets::frValorVirg;
using vtx::client::widgets::Valor_Change;
using vtx::client::widgets::Valor_KeyPress;

namespace {

std::string text(const QLineEdit& box) {
    return box.text().toStdString();
}

class AmountEntry : public ::testing::Test {
protected:
    void SetUp() override { AmountEntryFilter::install(box_); }
    void type(const char* keys) { QTest::keyClicks(&box_, QString::fromLatin1(keys)); }
    QLineEdit box_;
};

}  // namespace

TEST(AmountMask, RemovesGroupingAndDecimalMarks) {
    EXPECT_EQ(frValorVirg(QStringLiteral("12.345,67")), QStringLiteral("1234567"));
    EXPECT_EQ(frValorVirg(QStringLiteral("0,00")), QStringLiteral("000"));
}

TEST_F(AmountEntry, DigitsEnterFromTheRight) {
    EXPECT_EQ(text(box_), "0,00");
    const char* expected[] = {"0,01", "0,12", "1,23", "12,34"};
    const char* digits = "1234";
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(&box_, digits[i]);
        EXPECT_EQ(text(box_), expected[i]);
        EXPECT_EQ(box_.cursorPosition(), box_.text().size());
    }
}

TEST_F(AmountEntry, ThousandsAreGroupedAndNineCharactersStopDigits) {
    type("100000");
    EXPECT_EQ(text(box_), "1.000,00");
    type("999");
    EXPECT_EQ(text(box_), "10.000,09") << "nine characters: the last 9 is refused";
    box_.setText(QStringLiteral("99.999,99"));
    type("5");
    EXPECT_EQ(text(box_), "99.999,99");
}

TEST_F(AmountEntry, BackspaceAndDeleteClearAndLettersAreRefused) {
    type("1234");
    box_.setCursorPosition(1);
    QTest::keyClick(&box_, Qt::Key_Backspace);
    EXPECT_EQ(text(box_), "0,00");
    type("5x,.");
    EXPECT_EQ(text(box_), "0,05");
    QTest::keyClick(&box_, Qt::Key_Delete);
    EXPECT_EQ(text(box_), "0,00");
}

TEST_F(AmountEntry, SelectionOfMoreThanOneCharacterStartsAgain) {
    type("1234");
    box_.selectAll();
    type("7");
    EXPECT_EQ(text(box_), "0,07");
    box_.setSelection(4, 1);  // one character: the digits go on
    type("8");
    EXPECT_EQ(text(box_), "0,78");
}

TEST_F(AmountEntry, LockedBoxTakesNothing) {
    type("12");
    box_.setReadOnly(true);
    type("3");
    QTest::keyClick(&box_, Qt::Key_Backspace);
    EXPECT_EQ(text(box_), "0,12");
}

TEST_F(AmountEntry, PasteIsRefused) {
    type("12");
    QTest::keyClick(&box_, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(box_), "0,12");
}

TEST(AmountMask, ShortTextIsReadAsCents) {
    QLineEdit box;
    box.setText(QStringLiteral("5"));
    Valor_Change(box);
    EXPECT_EQ(text(box), "0,05");
    box.setText(QString());
    Valor_Change(box);
    EXPECT_EQ(text(box), "0,00");
    box.setText(QStringLiteral("1,50"));
    Valor_Change(box);
    EXPECT_EQ(text(box), "1,50") << "longer texts are left alone";
}

TEST(AmountMask, KeyPressConsumesEveryKey) {
    QLineEdit box(QStringLiteral("0,00"));
    int key = '4';
    Valor_KeyPress(box, key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(text(box), "0,04");
    key = 'a';
    Valor_KeyPress(box, key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(text(box), "0,04");
}
