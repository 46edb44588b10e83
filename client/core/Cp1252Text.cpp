#include "core/Cp1252Text.h"

#include "vtx/platform/Cp1252.h"

namespace vtx::client {

QString fromCp1252(std::string_view bytes) {
    return QString::fromStdString(vtx::platform::cp1252ToUtf8(bytes));
}

std::string toCp1252(const QString& text) {
    return vtx::platform::utf8ToCp1252(text.toStdString());
}

std::string toFileSystemPath(const QString& path) {
    return path.toStdString();
}

}  // namespace vtx::client
