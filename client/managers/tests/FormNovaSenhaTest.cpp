#include "managers/FormNovaSenha.h"

#include <gtest/gtest.h>

#include "managers/FormConfig.h"
#include "managers/ManagerForms.h"
#include "managers/tests/ManagerFormsFixture.h"

namespace vtx::client {
namespace {

class FormNovaSenhaTest : public ManagerFormsFixture {};

TEST_F(FormNovaSenhaTest, Mng5ChangeFromTheMenuRewritesItsSlotAndEndsTheLineThere) {
    for (const std::string& name : filesLike("UP.S??"))
        std::remove(root_.native("C/Vantrix/" + name).c_str());
    writeChecksummed("UP.S", passwordLine({"1234", "", "470251", "", "5555"}) + "EXTRA\r\n");
    session_.login.operadorLogado[1].usuario = QStringLiteral("MNG5").leftJustified(20);

    dialogs_.onForm(QStringLiteral("FormNovaSenha"), [&](ModalForm& modal) {
        auto& form = dynamic_cast<FormNovaSenha&>(modal);
        showActive(form);
        QLineEdit* first = child<QLineEdit>(form, "txtNovaSenha");
        typeAndEnter(form, "txtNovaSenha", QStringLiteral("7777"));
        typeAndEnter(form, "txtNovaSenha2", QStringLiteral("7778"));
        EXPECT_EQ(dialogs_.texts(), QStringList{"A nova senha não confere!"});
        EXPECT_EQ(form.focusWidget(), first);
        EXPECT_TRUE(form.isVisible());
        // The focus selects the old entry, so typing replaces it.
        QTest::keyClicks(first, QStringLiteral("7777"));
        EXPECT_EQ(first->text(), QStringLiteral("7777"));
        child<QLineEdit>(form, "txtNovaSenha2")->setText(QStringLiteral("7777"));
        QTest::keyClick(&form, Qt::Key_F3);
        return form.result();
    });
    EXPECT_TRUE(abreFormNovaSenha(session_, nullptr));
    EXPECT_EQ(session_.login.novaSenha, QStringLiteral("7777"));
    const std::vector<std::string> files = filesLike("UP.S??");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(readServerFile(files[0]), passwordLine({"1234", "", "470251", "", "7777"}) + "\r\n");
}

TEST_F(FormNovaSenhaTest, CancelWritesNothingAndKeepsNovaSenha) {
    const std::vector<std::string> before = filesLike("UP.S??");
    session_.login.operadorLogado[1].usuario = QStringLiteral("MNG1");
    session_.login.novaSenha = QStringLiteral("EARLIER");
    FormNovaSenha form(session_);
    showActive(form);
    child<QLineEdit>(form, "txtNovaSenha")->setText(QStringLiteral("9999"));
    child<QLineEdit>(form, "txtNovaSenha2")->setText(QStringLiteral("9999"));
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(session_.login.novaSenha, QStringLiteral("EARLIER"));
    EXPECT_EQ(filesLike("UP.S??"), before);
}

TEST_F(FormNovaSenhaTest, ConfigWindowOnlyCloses) {
    FormConfig form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Configurações do Sistema"));
    EXPECT_EQ(form.findChildren<QPushButton*>().size(), 1);
    showActive(form);
    child<QPushButton>(form, "cmdFechar")->click();
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace vtx::client
