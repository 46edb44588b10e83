// FormNovaSenha: the password change of the logged-on manager level
// ("F3 - &Confirma"), opened modally by the login when the initial password
// was used and by the administrative menu's "F4 - &Nova Senha".
//
// Labels, maximum lengths and the enabled flags of the buttons come from the
// "FormNovaSenha" caption section for the current TipoEstab. Typed keys are
// upper-cased and a field that gets the focus has its content selected; Enter
// in the first field moves to the second, Enter in the second presses
// Confirm. Confirm runs ConfirmaNovaSenha (PasswordChange.h): a refused entry
// returns the focus to the first field, a written one sets
// session.login.novaSenha and closes the form; when the file cannot be
// written the form stays open. Cancel closes it and leaves novaSenha as it
// was.
//
// Controls carry their names as object names (txtNovaSenha, txtNovaSenha2,
// cmdOk, cmdCancel, lblNovaSenha, lblNovaSenha2).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>

#include "core/ClientSession.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vtx::client {

class FormNovaSenha : public QDialog, public ModalForm {
public:
    explicit FormNovaSenha(ClientSession& session, QWidget* parent = nullptr);

    QString formName() const override { return QStringLiteral("FormNovaSenha"); }
    // Runs the form modally (with the normal pointer over it).
    int exec() override;

    void cmdOk_Click();
    void cmdCancel_Click();

private:
    void buildControls();
    void Form_Load();

    ClientSession& session_;
    QLabel* lblNovaSenha = nullptr;
    QLineEdit* txtNovaSenha = nullptr;
    QLabel* lblNovaSenha2 = nullptr;
    QLineEdit* txtNovaSenha2 = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
};

}  // namespace vtx::client
