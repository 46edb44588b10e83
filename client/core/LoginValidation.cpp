#include "core/LoginValidation.h"

#include "core/IniAccess.h"
#include "core/ManagerPasswords.h"
#include "core/ManagerPermissions.h"
#include "core/PasswordScrambler.h"

namespace vtx::client {
namespace {

const QString kLoginValidationTitle = QStringLiteral("Login");

void warn(ClientSession& session, const QString& text) {
    session.dialogs.message(text, kLoginValidationTitle, MessageIcon::Warning);
}

void setOperador(ClientSession& session, const QString& usuario, std::optional<QString> texto) {
    OperadorLogado* operador = operadorAtual(session);
    if (operador == nullptr) return;
    operador->usuario = usuario.leftJustified(kOperadorWidth, u' ', true);
    if (texto) operador->texto = *texto;
}

bool validaSuporte(ClientSession& session, const QString& user, const QString& password) {
    if (!ObtemPermissao(session, QString::fromLatin1(kSupportUser), password)) {
        warn(session, QStringLiteral("Senha Inválida. Tente novamente!"));
        return false;
    }
    setOperador(session, trimBlanks(user), QString());
    return true;
}

}  // namespace

CaptionEntry RegraCampoLogin(const ClientSession& session, LoginField field) {
    return session.captions.entry(QStringLiteral("FormLogin"),
                                  field == LoginField::Usuario ? QStringLiteral("txtUserName")
                                                               : QStringLiteral("txtPassword"),
                                  session.settings.TipoEstab);
}

bool isDigitsOnly(const QString& text) {
    const QString trimmed = trimBlanks(text);
    if (trimmed.isEmpty()) return false;
    for (QChar c : trimmed) {
        if (c < u'0' || c > u'9') return false;
    }
    return true;
}

QString minimumLengthMessage(const QString& subject, int minimum) {
    return subject + QStringLiteral(", ") + QStringLiteral("digite pelo menos ") +
           QString::number(minimum) + QStringLiteral(" caracteres. Tente novamente!");
}

OperadorLogado* operadorAtual(ClientSession& session) {
    const int type = session.settings.TipoEstab;
    if (type < 1 || type > ManagerLogin::kTypes) return nullptr;
    return &session.login.operadorLogado[static_cast<size_t>(type)];
}

bool ValidaUsuario(ClientSession& session, const QString& user) {
    const QString trimmed = trimBlanks(user);
    if (trimmed.toUpper() == QLatin1String(kSupportUser)) return true;
    const CaptionEntry rule = RegraCampoLogin(session, LoginField::Usuario);
    if (rule.digitsOnly() && !isDigitsOnly(trimmed)) {
        warn(session, QStringLiteral("Usuário Inválido, digite apenas números. Tente novamente!"));
        return false;
    }
    if (trimmed.size() < rule.minLength) {
        warn(session, minimumLengthMessage(QStringLiteral("Usuário Inválido"), rule.minLength));
        return false;
    }
    return true;
}

bool ValidaSenha(ClientSession& session, const QString& user, const QString& password,
                 const std::function<void()>& abreNovaSenha) {
    if (trimBlanks(user).toUpper() == QLatin1String(kSupportUser))
        return validaSuporte(session, user, password);

    const CaptionEntry rule = RegraCampoLogin(session, LoginField::Senha);
    const QString typed = trimBlanks(password);
    if (typed.size() < rule.minLength) {
        warn(session, minimumLengthMessage(QStringLiteral("Senha Inválida"), rule.minLength));
        return false;
    }
    if (rule.digitsOnly() && !isDigitsOnly(typed)) {
        warn(session, QStringLiteral("Senha Inválida, digite apenas números. Tente novamente!"));
        return false;
    }

    bool found = false;
    QString stored = ObtemSenha(session, user, found);
    if (!found) return false;
    if (stored.isEmpty()) {
        warn(session, QStringLiteral("Usuário inválido. Tente novamente!"));
        return false;
    }
    stored = trimBlanks(stored);
    CriptografiaSenha(stored, QStringLiteral("D"));
    if (trimBlanks(stored).toUpper() != typed.toUpper()) {
        warn(session, QStringLiteral("Senha Inválida, Tente novamente!"));
        return false;
    }

    const QString usuario = trimBlanks(user);
    setOperador(session, usuario, std::nullopt);
    if (typed == QLatin1String(kSenhaInicial)) {
        // Only a change made now counts: a password changed earlier in this
        // session must not let the initial password through.
        session.login.novaSenha.clear();
        if (abreNovaSenha) abreNovaSenha();
        if (session.login.novaSenha.isEmpty()) {
            setOperador(session, QString(), QString());
            return false;
        }
    }
    return ObtemPermissao(session, usuario, password);
}

}  // namespace vtx::client
