// Opening the manager forms from the screens: each runs its form through the
// session's Dialogs (so a test answers it by the form's name) and returns
// what the opener needs. The program plugs these into ScreenOpeners
// (openLogin, openPasswordChange, openConfig).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include "core/ClientSession.h"

class QWidget;

namespace vtx::client {

// The login, modally; session.login.loginEfetuado, which the form leaves
// true only for a valid login. Afterwards session.login.operadorLogado and
// session.login.permissao of the current TipoEstab hold the manager and
// the switches ("STAFF" for the support user).
bool abreFormLogin(ClientSession& session, QWidget* parent);

// The password change of the logged-on level, modally; true when a new
// password was written (session.login.novaSenha holds it).
bool abreFormNovaSenha(ClientSession& session, QWidget* parent);

// The support configuration window, modally.
void abreFormConfig(ClientSession& session, QWidget* parent);

}  // namespace vtx::client
