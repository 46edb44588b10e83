#include "core/ServerFiles.h"

#include <string>
#include <vector>

#include "core/Cp1252Text.h"
#include "vtx/platform/Paths.h"

namespace vtx::client {

std::optional<QString> findServerFile(const EstruturaPrincipal& settings, const QString& pattern) {
    std::vector<std::string> names =
        platform::findFiles(toFileSystemPath(settings.PathServer), toFileSystemPath(pattern));
    if (names.empty()) return std::nullopt;
    return settings.serverFile(QString::fromStdString(names.front()));
}

}  // namespace vtx::client
