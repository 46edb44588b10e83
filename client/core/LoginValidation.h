// The checks of the manager login: the user name against its field rule, the
// password against UP.Sxx and the permissions against LT0001.Sxx, with the
// forced change of the initial password. The login form calls these and keeps
// only the focus and cursor handling.
//
// The field rules (RegraCampoLogin) are the "FormLogin" caption entries
// "txtUserName" and "txtPassword" of the current TipoEstab: kind "N" means
// digits only, and the minimum length applies to the trimmed text. Every
// message box here is titled "Login".
//
// Thread-safety: the client's single thread.
#pragma once

#include <QString>
#include <functional>

#include "core/CaptionTable.h"
#include "core/ClientSession.h"

namespace vtx::client {

// The password every manager level starts with; a login with it forces a
// change.
inline constexpr char kSenhaInicial[] = "470251";
inline constexpr int kOperadorWidth = 20;

enum class LoginField { Usuario, Senha };

// RegraCampoLogin of `field` for the session's current TipoEstab.
CaptionEntry RegraCampoLogin(const ClientSession& session, LoginField field);

// True when `text`, trimmed, is non-empty and all digits.
bool isDigitsOnly(const QString& text);

// The "digite pelo menos" message: `subject` is "Usuário Inválido" or
// "Senha Inválida".
QString minimumLengthMessage(const QString& subject, int minimum);

// The logged-on operator of the current TipoEstab (nullptr outside 1..3).
OperadorLogado* operadorAtual(ClientSession& session);

// The user name check (`user` as typed). "STAFF" in any case is valid;
// otherwise a non-numeric name under a digits-only rule and a trimmed name
// shorter than the rule's minimum are refused with their message.
bool ValidaUsuario(ClientSession& session, const QString& user);

// The password check of a trimmed user and password. The support user is
// checked against the support password of LT0001.Sxx; a manager against the
// field rule, then against the unscrambled slot of UP.Sxx (trimmed,
// upper-cased on both sides). A manager who typed the initial password must
// change it: `abreNovaSenha` runs the password-change form, and the login is
// valid only when it left session.login.novaSenha set. A valid manager login
// ends with the permissions of the level (ObtemPermissao). The logged-on
// operator is set as the checks pass and cleared when the change is
// abandoned.
bool ValidaSenha(ClientSession& session, const QString& user, const QString& password,
                 const std::function<void()>& abreNovaSenha);

}  // namespace vtx::client
