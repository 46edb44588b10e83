// FormLogin: the manager login of the administrative functions ("F3 - &OK",
// "ESC - &Cancel"), opened modally by the card screen and the administrative
// menu.
//
// On load the form is centred and takes its labels, maximum lengths and the
// enabled flags of OK and Cancel from the "FormLogin" caption section for the
// current TipoEstab. Typed keys are upper-cased, a field that gets the focus
// has its content selected, Enter in the user field moves to the password
// field and Enter in the password field presses OK. OK runs the checks of
// LoginValidation.h with the busy cursor shown; the new-password form is run
// through the session's Dialogs as the modal form "FormNovaSenha". A valid
// login sets session.login.loginEfetuado and closes the form; Cancel (or
// closing the window) leaves it false.
//
// Controls carry their names as object names (txtUserName, txtPassword,
// cmdOk, cmdCancel, lblUserName, lblPassword).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>

#include "core/ClientSession.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vtx::client {

class FormLogin : public QDialog, public ModalForm {
public:
    explicit FormLogin(ClientSession& session, QWidget* parent = nullptr);

    QString formName() const override { return QStringLiteral("FormLogin"); }
    // Runs the form modally (with the normal pointer over it).
    int exec() override;

    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    void reject() override;

private:
    void buildControls();
    void Form_Load();
    bool ValidaUsuario();
    bool ValidaSenha(const QString& user, const QString& password);
    void abreNovaSenha();

    ClientSession& session_;
    QLabel* lblUserName = nullptr;
    QLineEdit* txtUserName = nullptr;
    QLabel* lblPassword = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
};

}  // namespace vtx::client
