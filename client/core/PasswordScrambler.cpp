#include "core/PasswordScrambler.h"

#include <string>

#include "core/Cp1252Text.h"

namespace vtx::client {
namespace {

unsigned char wrapped(int code) {
    return static_cast<unsigned char>(((code % 256) + 256) % 256);
}

template <typename Transform>
QString mapCodes(const QString& text, Transform transform) {
    std::string bytes = toCp1252(text);
    for (char& c : bytes) c = static_cast<char>(wrapped(transform(static_cast<unsigned char>(c))));
    return fromCp1252(bytes);
}

}  // namespace

void CriptografiaSenha(QString& text, const QString& mode) {
    if (mode == QStringLiteral("C")) {
        text = mapCodes(text, [](int x) { return x <= 100 ? x + 155 : x - 100; });
    } else if (mode == QStringLiteral("D")) {
        text = mapCodes(text, [](int x) { return x <= 100 ? x + 100 : x - 155; });
    }
}

QString GeraCriptografia(const QString& text, const QString& mode, int key) {
    if (key == 0) return text;
    const int k = key;
    const int k2 = 256 - key;
    if (mode == QStringLiteral("C"))
        return mapCodes(text, [&](int x) { return x > k ? x - k : x + k2; });
    if (mode == QStringLiteral("D"))
        return mapCodes(text, [&](int x) { return x > k ? x - k2 : x + k; });
    return text;
}

}  // namespace vtx::client
