// A station for the manager forms: UP.Sxx with MNG1 "1234", MNG3 at the
// initial password and MNG5 "5555"; LT0001.Sxx with entries for those three
// and the support password "SUPORTE"; the login captions of type 1.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/testing/ManagerStation.h"

namespace vtx::client {

class ManagerFormsFixture : public ManagerStation {
protected:
    ManagerFormsFixture() {
        writePasswords({"1234", "", "470251", "", "5555"});
        writeChecksummed("LT0001.S",
                         "000,MNG1,SSSSSSSSS,0000000000\r\n000,MNG3,SSSSSSSSS,0000000000\r\n"
                         "000,MNG5,SSNSSSSSS,0000000000\r\n001,SUPORTE\r\n");
        setCaption("FormLogin", "txtUserName", "A0410Usuário");
        setCaption("FormLogin", "txtPassword", "N0408Senha");
        setCaption("FormLogin", "cmdOk_Caption", "Y    F3 - &OK");
        setCaption("FormLogin", "cmdCancel_Caption", "Y    ESC - &Cancel");
        setCaption("FormNovaSenha", "txtNovaSenha", "N0406Nova Senha");
        setCaption("FormNovaSenha", "txtNovaSenha2", "N0406Confirmação");
        setCaption("FormNovaSenha", "cmdOk_Caption", "Y    F3 - &Confirma");
        setCaption("FormNovaSenha", "cmdCancel_Caption", "Y    ESC - &Cancel");
    }

    void setCaption(const char* section, const char* key, const char* value) {
        session_.captions.setValue(QString::fromLatin1(section), QString::fromLatin1(key),
                                   QString::fromUtf8(value));
    }

    template <typename T>
    static T* child(QWidget& form, const char* name) {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static void showActive(QWidget& form) {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    // Types `text` into the field and presses Enter there.
    static void typeAndEnter(QWidget& form, const char* field, const QString& text) {
        QLineEdit* box = child<QLineEdit>(form, field);
        box->setFocus();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
};

}  // namespace vtx::client
