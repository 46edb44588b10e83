#include "CoreText.h"

#include "vtx/platform/Cp1252.h"

namespace vtx::install {

QString fromCore(const std::string& bytes) {
    return QString::fromStdString(platform::cp1252ToUtf8(bytes));
}

QString fromCoreLines(const std::string& bytes) {
    QString text = fromCore(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string toCore(const QString& text) { return platform::utf8ToCp1252(text.toStdString()); }

}  // namespace vtx::install
