#include "managers/FormLogin.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "managers/FormNovaSenha.h"
#include "managers/ManagerForms.h"
#include "managers/tests/ManagerFormsFixture.h"

namespace vtx::client {
namespace {

class FormLoginTest : public ManagerFormsFixture {
protected:
    QString operador() const { return session_.login.operadorLogado[1].usuario; }

    // The login as the screens open it, answered by typing into the form.
    bool abreLoginWith(const char* user, const char* password) {
        dialogs_.onForm(QStringLiteral("FormLogin"), [=](ModalForm& modal) {
            auto& form = dynamic_cast<FormLogin&>(modal);
            showActive(form);
            typeAndEnter(form, "txtUserName", QString::fromLatin1(user));
            typeAndEnter(form, "txtPassword", QString::fromLatin1(password));
            return form.result();
        });
        return abreFormLogin(session_, nullptr);
    }
};

TEST_F(FormLoginTest, EnterMovesToThePasswordAndPressesOkForAValidLogin) {
    FormLogin form(session_);
    showActive(form);
    QLineEdit* user = child<QLineEdit>(form, "txtUserName");
    QLineEdit* password = child<QLineEdit>(form, "txtPassword");
    EXPECT_EQ(form.focusWidget(), user);
    QTest::keyClicks(user, QStringLiteral("mng1"));
    EXPECT_EQ(user->text(), QStringLiteral("MNG1"));
    QTest::keyClick(user, Qt::Key_Return);
    EXPECT_EQ(form.focusWidget(), password);
    EXPECT_EQ(form.result(), 0);
    QTest::keyClicks(password, QStringLiteral("1234"));
    QTest::keyClick(password, Qt::Key_Return);

    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(session_.login.loginEfetuado);
    EXPECT_EQ(operador(), QStringLiteral("MNG1").leftJustified(20));
    EXPECT_EQ(session_.login.permissao[1].switches, QStringLiteral("SSSSSSSSS"));
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FormLoginTest, WrongPasswordIsToldEmptiedAndTheFormStaysOpen) {
    FormLogin form(session_);
    showActive(form);
    typeAndEnter(form, "txtUserName", QStringLiteral("MNG1"));
    typeAndEnter(form, "txtPassword", QStringLiteral("4321"));
    ASSERT_EQ(dialogs_.texts(), QStringList{"Senha Inválida, Tente novamente!"});
    EXPECT_EQ(dialogs_.messages()[0].request.title, QStringLiteral("Login"));
    QLineEdit* password = child<QLineEdit>(form, "txtPassword");
    EXPECT_TRUE(password->text().isEmpty());
    EXPECT_EQ(form.focusWidget(), password);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(session_.login.loginEfetuado);
    EXPECT_TRUE(child<QPushButton>(form, "cmdOk")->isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A user the rule refuses sends the focus back to the user field.
    QLineEdit* user = child<QLineEdit>(form, "txtUserName");
    user->clear();
    typeAndEnter(form, "txtUserName", QStringLiteral("MN"));
    typeAndEnter(form, "txtPassword", QStringLiteral("1234"));
    EXPECT_EQ(dialogs_.texts().last(),
              QStringLiteral("Usuário Inválido, digite pelo menos 4 caracteres. Tente novamente!"));
    EXPECT_EQ(form.focusWidget(), user);

    // Escape cancels.
    QTest::keyClick(user, Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(FormLoginTest, SupportUserLogsOnWithTheSupportPasswordAndOpensNoForm) {
    FormLogin form(session_);
    showActive(form);
    QLineEdit* user = child<QLineEdit>(form, "txtUserName");
    user->setText(QStringLiteral("staff"));  // as if pasted: no key filter
    typeAndEnter(form, "txtPassword", QStringLiteral("suporte"));
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(session_.login.loginEfetuado);
    EXPECT_EQ(operador().trimmed(), QStringLiteral("staff"));
    EXPECT_TRUE(dialogs_.forms().isEmpty());
    EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(FormLoginTest, InitialPasswordForcesANewOneBeforeTheLoginCounts) {
    int cancelled = 0;
    dialogs_.onForm(QStringLiteral("FormNovaSenha"), [&](ModalForm& modal) {
        auto& form = dynamic_cast<FormNovaSenha&>(modal);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        showActive(form);
        if (cancelled++ == 0) {
            QTest::keyClick(child<QLineEdit>(form, "txtNovaSenha"), Qt::Key_Escape);
        } else {
            typeAndEnter(form, "txtNovaSenha", QStringLiteral("2468"));
            EXPECT_EQ(form.focusWidget(), child<QLineEdit>(form, "txtNovaSenha2"));
            QTest::keyClicks(child<QLineEdit>(form, "txtNovaSenha2"), QStringLiteral("2468"));
            QTest::keyClick(child<QLineEdit>(form, "txtNovaSenha2"), Qt::Key_Return);
        }
        return form.result();
    });

    // Cancelled: no login, no operator.
    EXPECT_FALSE(abreLoginWith("MNG3", "470251"));
    EXPECT_EQ(operador(), QString(20, u' '));
    // Changed: the login counts and the new password works from then on.
    EXPECT_TRUE(abreLoginWith("MNG3", "470251"));
    EXPECT_EQ(operador().trimmed(), QStringLiteral("MNG3"));
    EXPECT_EQ(session_.login.novaSenha, QStringLiteral("2468"));
    EXPECT_TRUE(abreLoginWith("MNG3", "2468"));
    EXPECT_EQ(dialogs_.forms(), (QStringList{"FormLogin", "FormNovaSenha", "FormLogin",
                                             "FormNovaSenha", "FormLogin"}));
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FormLoginTest, CaptionsShapeTheFormAndOnlyUpperCaseYEnablesOk) {
    setCaption("FormLogin", "cmdOk_Caption", "y    F3 - &Entrar");
    setCaption("FormLogin", "txtUserName", "A0406Operador");
    FormLogin form(session_);
    showActive(form);
    QPushButton* ok = child<QPushButton>(form, "cmdOk");
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(ok->text(), QStringLiteral("F3 - &Entrar"));
    EXPECT_EQ(child<QLabel>(form, "lblUserName")->text(), QStringLiteral("Operador"));
    EXPECT_EQ(child<QLabel>(form, "lblPassword")->text(), QStringLiteral("Senha"));
    QLineEdit* user = child<QLineEdit>(form, "txtUserName");
    QTest::keyClicks(user, QStringLiteral("MNG1XYZ"));
    EXPECT_EQ(user->text(), QStringLiteral("MNG1XY"));
    user->setText(QStringLiteral("MNG1"));
    typeAndEnter(form, "txtPassword", QStringLiteral("1234"));
    QTest::keyClick(&form, Qt::Key_F3);
    EXPECT_EQ(form.result(), 0);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(dialogs_.messages().empty());

    // With "Y" F3 presses OK.
    setCaption("FormLogin", "cmdOk_Caption", "Y    F3 - &Entrar");
    FormLogin enabled(session_);
    showActive(enabled);
    child<QLineEdit>(enabled, "txtUserName")->setText(QStringLiteral("MNG1"));
    child<QLineEdit>(enabled, "txtPassword")->setText(QStringLiteral("1234"));
    QTest::keyClick(&enabled, Qt::Key_F3);
    EXPECT_EQ(enabled.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace vtx::client
