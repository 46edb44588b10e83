#include "widgets/FormHelpers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

using namespace vtx::client::widgets;

namespace {

// Types each character as a key press carrying it (QTest's key clicks take
// ASCII only).
void typeText(QWidget& widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&widget, &release);
    }
}

}  // namespace

TEST(Maiuscula, ApostropheIsSwallowedOtherKeysUpperCased) {
    EXPECT_EQ(Maiuscula_KeyPress(39), 0);
    EXPECT_EQ(Maiuscula_KeyPress('a'), 'A');
    EXPECT_EQ(Maiuscula_KeyPress('Z'), 'Z');
    EXPECT_EQ(Maiuscula_KeyPress('5'), '5');
    EXPECT_EQ(Maiuscula_KeyPress(0xE7), 0xC7);  // ç
    EXPECT_EQ(Maiuscula_KeyPress(8), 8);
}

TEST(UpperCaseFilterTest, TypedTextIsUpperCasedWithoutApostrophes) {
    QLineEdit box;
    box.setMaxLength(6);
    UpperCaseFilter::install(box);
    typeText(box, QStringLiteral("d'ávila"));
    EXPECT_EQ(box.text(), QStringLiteral("DÁVILA"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), QStringLiteral("DÁVIL"));
    typeText(box, QStringLiteral("xy"));
    EXPECT_EQ(box.text(), QStringLiteral("DÁVILX")) << "the maximum length still holds";
}

TEST(FormHelpersTest, EnterTabSkipsDisabledControlsAndSelectOnFocusSelectsAll) {
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* first = new QLineEdit(QStringLiteral("abc"), &form);
    auto* disabled = new QPushButton(QStringLiteral("x"), &form);
    auto* last = new QLineEdit(QStringLiteral("12345"), &form);
    layout->addWidget(first);
    layout->addWidget(disabled);
    layout->addWidget(last);
    disabled->setEnabled(false);
    SelectOnFocusFilter::install(*last);
    form.show();
    first->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(first->hasFocus());

    EnterTab(*first);
    QApplication::processEvents();
    EXPECT_TRUE(last->hasFocus());
    EXPECT_EQ(last->selectedText(), QStringLiteral("12345"));
}

TEST(FormHelpersTest, FormsArePlacedTopLeftOrCentred) {
    QWidget form;
    form.resize(200, 100);
    form.show();
    PosicionaFormulario(form);
    EXPECT_EQ(form.pos(), QPoint(0, 0));
    CentralizaJanela(form);
    const QRect screen = form.screen()->geometry();
    EXPECT_EQ(form.x(), (screen.width() - form.frameGeometry().width()) / 2);
    EXPECT_EQ(form.y(), (screen.height() - form.frameGeometry().height()) / 2);
}
