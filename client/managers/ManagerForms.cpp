#include "managers/ManagerForms.h"

#include "managers/FormConfig.h"
#include "managers/FormLogin.h"
#include "managers/FormNovaSenha.h"

namespace vtx::client {

bool abreFormLogin(ClientSession& session, QWidget* parent) {
    FormLogin form(session, parent);
    session.dialogs.showModal(form);
    return session.login.loginEfetuado;
}

bool abreFormNovaSenha(ClientSession& session, QWidget* parent) {
    FormNovaSenha form(session, parent);
    return session.dialogs.showModal(form) == QDialog::Accepted;
}

void abreFormConfig(ClientSession& session, QWidget* parent) {
    FormConfig form(parent);
    session.dialogs.showModal(form);
}

}  // namespace vtx::client
