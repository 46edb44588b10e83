#include "core/ManagerPermissions.h"

#include "core/CheckSum.h"
#include "core/DelimitedItems.h"
#include "core/IniAccess.h"
#include "core/ServerFiles.h"

namespace vtx::client {
namespace {

constexpr char kManagerPermissionsProcedure[] = "ObtemPermissao";
constexpr int kSwitches = 9;
constexpr int kItemWidth = 10;

// An entry's marker; a line feed in front of it is accepted as well.
bool isMarker(const QString& item, const char* marker) {
    QString text = trimBlanks(item);
    if (text.startsWith(u'\n')) text.remove(0, 1);
    return text == QLatin1String(marker);
}

}  // namespace

bool ObtemPermissao(ClientSession& session, const QString& user, const QString& password) {
    const EstruturaPrincipal& settings = session.settings;
    const QString searched = settings.serverFile(QString::fromLatin1(kLtPattern));
    std::optional<QString> path = findServerFile(settings, QString::fromLatin1(kLtPattern));
    if (!path) {
        session.reporter.TrataErro(
            QString::fromLatin1(kManagerPermissionsProcedure),
            QStringLiteral("Arquivo ") + searched + QStringLiteral(" não foi encontrado."));
        return false;
    }
    QString check;
    if (!Valida_Check_Sum_Arquivo(*path, check, session.reporter)) {
        session.dialogs.message(
            QStringLiteral("Arquivo de permissões corrompido ! Contatar o suporte !"),
            QStringLiteral("Atenção"), MessageIcon::Critical);
        return false;
    }
    ItemsRead read = readItems(*path);
    if (read.faultNumber) {
        session.reporter.TrataErro(QString::fromLatin1(kManagerPermissionsProcedure), *read.faultNumber,
                                   read.faultDescription);
        return false;
    }

    const QStringList& items = read.items;
    const bool support = trimBlanks(user).toUpper() == QLatin1String(kSupportUser);
    const QString self = trimBlanks(user);
    qsizetype next = 0;
    bool pastEnd = false;
    auto take = [&]() -> QString {
        if (next >= items.size()) {
            pastEnd = true;
            return {};
        }
        return items.at(next++);
    };

    bool granted = false;
    while (next < items.size()) {
        const QString item = take();
        if (!support && isMarker(item, "000")) {
            const QString id = trimBlanks(take());
            const bool own = id == self;
            if (!own && id != QStringLiteral("MNG0")) continue;
            const QString switches = trimBlanks(take());
            const QString extra = take();
            if (pastEnd) break;
            if (settings.TipoEstab >= 1 && settings.TipoEstab <= ManagerLogin::kTypes) {
                PermissaoOperador& permissao =
                    session.login.permissao[static_cast<size_t>(settings.TipoEstab)];
                permissao.switches = switches.left(kSwitches);
                permissao.item = trimBlanks(extra).leftJustified(kItemWidth, u' ', true);
            }
            granted = true;
            if (own) return true;
        } else if (support && isMarker(item, "001")) {
            const QString stored = take();
            if (pastEnd) break;
            return trimBlanks(stored).toUpper() == trimBlanks(password).toUpper();
        }
    }
    if (pastEnd) {
        // The entry was cut short: the file does not hold what it promised.
        session.reporter.TrataErro(QString::fromLatin1(kManagerPermissionsProcedure), 62,
                                   QStringLiteral("Entrada após o fim do arquivo"));
        return false;
    }
    return granted;
}

}  // namespace vtx::client
