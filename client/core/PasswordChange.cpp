#include "core/PasswordChange.h"

#include "core/IniAccess.h"
#include "core/LoginValidation.h"
#include "core/ManagerPasswords.h"

namespace vtx::client {
namespace {

const QString kPasswordChangeTitle = QStringLiteral("Login");

void warnChange(ClientSession& session, const QString& text) {
    session.dialogs.message(text, kPasswordChangeTitle, MessageIcon::Warning);
}

}  // namespace

bool ValidaNovaSenha(ClientSession& session, const QString& novaSenha) {
    const QString senha = trimBlanks(novaSenha);
    if (senha == QLatin1String(kSenhaInicial)) {
        warnChange(session, QStringLiteral("A Senha 470251  não é válida. Tente novamente!"));
        return false;
    }
    const CaptionEntry rule = RegraCampoLogin(session, LoginField::Senha);
    if (rule.digitsOnly() && !isDigitsOnly(senha)) {
        warnChange(session, QStringLiteral("Senha Inválida, digite apenas números. Tente novamente!"));
        return false;
    }
    if (senha.size() < rule.minLength) {
        warnChange(session, minimumLengthMessage(QStringLiteral("Senha Inválida"), rule.minLength));
        return false;
    }
    return true;
}

NovaSenhaResult ConfirmaNovaSenha(ClientSession& session, const QString& novaSenha,
                                  const QString& confirmacao) {
    const QString senha = trimBlanks(novaSenha);
    if (senha.toUpper() != trimBlanks(confirmacao).toUpper()) {
        warnChange(session, QStringLiteral("A nova senha não confere!"));
        return NovaSenhaResult::Recusada;
    }
    if (!ValidaNovaSenha(session, senha)) return NovaSenhaResult::Recusada;
    const OperadorLogado* operador = operadorAtual(session);
    const QString nivel = operador ? trimBlanks(operador->usuario) : QString();
    if (!GravaSenha(session, nivel, senha)) {
        warnChange(session, QStringLiteral("Alteração não realizada!"));
        return NovaSenhaResult::NaoGravada;
    }
    session.login.novaSenha = senha;
    return NovaSenhaResult::Confirmada;
}

}  // namespace vtx::client
