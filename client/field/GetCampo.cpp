#include "field/GetCampo.h"

#include "field/ClassCampo.h"

namespace vtx::client {

FieldRead GetCampo(QStringView answer, QStringView key, bool msgIso, int& receiptLineCount) {
    return msgIso ? getCampoIso(answer, key, receiptLineCount) : getCampoTexto(answer, key);
}

FieldRead getCampoTexto(QStringView answer, QStringView key) {
    if (key.isEmpty()) return {};
    const qsizetype at = answer.indexOf(key);
    if (at < 0) return {};
    // The value starts after the 7-character key and "=".
    const qsizetype valueStart = at + ClassCampo::kKeyLength + 1;
    const qsizetype end = answer.indexOf(u';', at);
    if (end < 0 || end < valueStart) {
        return {QString(), Fault{QStringLiteral("GetCampo"),
                                 QStringLiteral("5 - Invalid procedure call or argument")}};
    }
    return {answer.mid(valueStart, end - valueStart).toString(), std::nullopt};
}

}  // namespace vtx::client
