#include "core/ManagerPasswords.h"

#include "core/CheckSum.h"
#include "core/DelimitedItems.h"
#include "core/FileReplacement.h"
#include "core/IniAccess.h"
#include "core/PasswordScrambler.h"
#include "core/ServerFiles.h"

namespace vtx::client {
namespace {

constexpr int kLevels = 5;
const QString kAtencao = QStringLiteral("Atenção");

// The UP.Sxx of the station after any swap a dead process left unfinished.
std::optional<QString> findPasswordFile(ClientSession& session) {
    finishInterruptedReplacement(session.settings.PathServer, QStringLiteral("UP.S"),
                                 session.reporter);
    return findServerFile(session.settings, QString::fromLatin1(kUpPattern));
}

}  // namespace

int passwordSlotOf(const QString& level) {
    const QString name = trimBlanks(level);
    for (int slot = 1; slot <= kLevels; ++slot) {
        if (name == QStringLiteral("MNG") + QString::number(slot)) return slot;
    }
    return 0;
}

QString ObtemSenha(ClientSession& session, const QString& level, bool& found) {
    found = false;
    std::optional<QString> path = findPasswordFile(session);
    if (!path) {
        session.dialogs.message(QStringLiteral("Arquivo UP.sxx não foi encontrado."), kAtencao,
                                MessageIcon::Critical);
        return {};
    }
    QString check;
    if (!Valida_Check_Sum_Arquivo(*path, check, session.reporter)) {
        session.dialogs.message(QStringLiteral("Arquivo UP.Sxx corrompido ! Contatar o suporte !"),
                                kAtencao, MessageIcon::Critical);
        return {};
    }
    ItemsRead read = readItems(*path);
    if (read.faultNumber) {
        session.reporter.TrataErro(QStringLiteral("ObtemSenha"), *read.faultNumber,
                                   read.faultDescription);
        return {};
    }
    const int slot = passwordSlotOf(level);
    QString password;
    for (const QString& item : read.items) {
        password =
            slot == 0 ? QString() : item.mid((slot - 1) * kPasswordSlotWidth, kPasswordSlotWidth);
    }
    found = true;
    return password;
}

bool GravaSenha(ClientSession& session, const QString& level, const QString& newPassword) {
    const int slot = passwordSlotOf(level);
    if (slot == 0) return false;
    // Stored upper-cased: passwords compare without regard to case, and the
    // scrambled codes of lower-case letters include CR, LF and TAB, which
    // would break the one-line file.
    QString scrambled = newPassword.toUpper();
    CriptografiaSenha(scrambled, QStringLiteral("C"));

    std::optional<QString> path = findPasswordFile(session);
    if (!path) {
        session.reporter.TrataErro(QStringLiteral("GravaSenha"),
                                   QStringLiteral("Arquivo ") + session.settings.PathServer +
                                       QStringLiteral("\\UP.S?? não foi encontrado."));
        return false;
    }
    QString check;
    if (!Valida_Check_Sum_Arquivo(*path, check, session.reporter)) {
        session.dialogs.message(QStringLiteral("Arquivo ") + *path +
                                    QStringLiteral(" corrompido ! Contatar o suporte !"),
                                kAtencao, MessageIcon::Critical);
        return false;
    }
    ItemsRead read = readItems(*path);
    if (read.faultNumber) {
        session.reporter.TrataErro(QStringLiteral("GravaSenha"), *read.faultNumber,
                                   read.faultDescription);
        return false;
    }
    const QString line = read.items.value(0);
    const int start = (slot - 1) * kPasswordSlotWidth;
    // A short line is padded so that the slot lands at its own position.
    QString updated = line.left(start).leftJustified(start, u' ') +
                      scrambled.leftJustified(kPasswordSlotWidth, u' ', true);
    if (slot < kLevels) updated += line.mid(start + kPasswordSlotWidth);
    return SobreEscreveArquivo(*path, updated, session.reporter);
}

}  // namespace vtx::client
