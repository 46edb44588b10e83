#include "screens/DistributorFile.h"

#include <QFile>
#include <QFileInfo>

#include "core/CheckSum.h"
#include "core/Cp1252Text.h"
#include "core/IniAccess.h"
#include "vtx/platform/Paths.h"

namespace vtx::client {
namespace {

constexpr int kNames = 5;
constexpr int kNameWidth = 20;
constexpr qint64 kMaxLine = 4096;

}  // namespace

DistributorList LeDistribuidoras(const EstruturaPrincipal& settings, const QString& codigo,
                                 const ErrorReporter& reporter) {
    DistributorList list;
    std::optional<std::string> found =
        platform::findFirstFile(settings.PathServer.toStdString(), "MF.S??");
    if (!found) return list;
    const QString native = QString::fromStdString(*found);
    list.path = settings.serverFile(QFileInfo(native).fileName());
    QString check;
    if (!Valida_Check_Sum_Arquivo(list.path, check, reporter)) {
        list.outcome = DistributorList::Outcome::Corrupt;
        return list;
    }
    QFile file(native);
    list.outcome = DistributorList::Outcome::AdministratorNotFound;
    if (!file.open(QIODevice::ReadOnly)) return list;
    const QString wanted = trimBlanks(codigo).toUpper();
    while (!file.atEnd()) {
        QByteArray bytes = file.readLine(kMaxLine);
        while (bytes.endsWith('\n') || bytes.endsWith('\r')) bytes.chop(1);
        const QString line = fromCp1252(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        if (trimBlanks(line.left(8)).toUpper() != wanted) continue;
        for (int i = 0; i < kNames; ++i) {
            const QString name = trimBlanks(line.mid(8 + i * kNameWidth, kNameWidth));
            if (!name.isEmpty()) list.names << name;  // an unused slot is no distributor
        }
        list.outcome = DistributorList::Outcome::Found;
        break;
    }
    return list;
}

}  // namespace vtx::client
