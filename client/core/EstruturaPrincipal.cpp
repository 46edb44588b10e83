#include "core/EstruturaPrincipal.h"

namespace vtx::client {
namespace {

QString join(const QString& folder, const QString& name) {
    if (folder.endsWith(u'\\') || folder.endsWith(u'/')) return folder + name;
    return folder + u'\\' + name;
}

}  // namespace

QString EstruturaPrincipal::serverFile(const QString& name) const {
    return join(PathServer, name);
}

QString EstruturaPrincipal::coreIni() const {
    return join(PathCore, QStringLiteral("CORE.INI"));
}

}  // namespace vtx::client
