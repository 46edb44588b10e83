// The checks and the write of a manager's password change: the two entries
// must agree, the new password must follow the login's password rule
// (RegraCampoLogin, LoginValidation.h) and must not be the initial password,
// then GravaSenha stores it for the logged-on level. Every message box here is
// titled "Login".
//
// Thread-safety: the client's single thread.
#pragma once

#include <QString>

#include "core/ClientSession.h"

namespace vtx::client {

// The new-password check (`novaSenha` trimmed): "470251" is refused, so is a
// non-numeric password under a digits-only rule and one shorter than the
// rule's minimum, each with its message.
bool ValidaNovaSenha(ClientSession& session, const QString& novaSenha);

enum class NovaSenhaResult {
    Confirmada,  // written; session.login.novaSenha holds it
    Recusada,    // the entries differ or the password was refused
    NaoGravada,  // the file could not be written ("Alteração não realizada!")
};

// Confirms a change from the two entries as typed: compares them trimmed and
// upper-cased ("A nova senha não confere!"), checks the password, and writes
// it for the trimmed logged-on name of the current TipoEstab.
NovaSenhaResult ConfirmaNovaSenha(ClientSession& session, const QString& novaSenha,
                                  const QString& confirmacao);

}  // namespace vtx::client
