#include "vtx/installer/RouteFileRewrite.h"

#include "ShiftCipher.h"
#include "vtx/installer/InstallAnswers.h"

namespace vtx::install {

namespace {

constexpr size_t kRecordSize = 104;
constexpr size_t kAddress1 = 8;
constexpr size_t kAddress2 = 38;
constexpr size_t kAddressWidth = 30;
constexpr size_t kPorts = 68;
constexpr size_t kPortWidth = 4;
constexpr size_t kLinkFields = 80;  // TENTATIVA(1) TIME_OUT(2) CRIPT(1)
constexpr size_t kMasterKey = 84;
// Mode 1 blanks the master key field up to its last byte, which it keeps.
constexpr size_t kMasterKeyBlanked = 19;

// The first character of a record in use: a blank or "0".."z".
bool recordInUse(char first) { return first == ' ' || (first >= '0' && first <= 'z'); }

void put(std::string& record, size_t at, std::string_view text, size_t width) {
    std::string field(text.substr(0, width));
    field.resize(width, ' ');
    record.replace(at, width, field);
}

}  // namespace

RouteRewrite rewriteRoutes(std::string_view medium, int accessMode, std::string_view address,
                           std::string_view port) {
    RouteRewrite result;
    if (accessMode != kIpLocal && accessMode != kTraducaoEndereco) {
        result.error = "modo de acesso sem arquivo de rotas";
        return result;
    }
    if (medium.empty() || medium.size() % kRecordSize != 0) {
        result.error = "tamanho de " + std::to_string(medium.size()) +
                       " bytes, que n\xE3o \xE9 um m\xFAltiplo de 104 (registro incompleto)";
        return result;
    }
    for (size_t at = 0; at < medium.size(); at += kRecordSize) {
        std::string record(medium.substr(at, kRecordSize));
        wire::shiftDecipher(record.data(), record.size(), wire::kRouteFileKey);
        if (!recordInUse(record[0])) break;
        put(record, kAddress1, address, kAddressWidth);
        put(record, kAddress2, address, kAddressWidth);
        if (accessMode == kIpLocal) {
            for (size_t p = 0; p < 3; ++p) put(record, kPorts + p * kPortWidth, port, kPortWidth);
            record.replace(kLinkFields, 4, "2300");
            record.replace(kMasterKey, kMasterKeyBlanked, std::string(kMasterKeyBlanked, ' '));
        }
        wire::shiftEncipher(record.data(), record.size(), wire::kRouteFileKey);
        result.records += record;
        ++result.count;
    }
    if (result.count == 0) result.error = "nenhum registro de rota antes da marca de fim";
    return result;
}

}  // namespace vtx::install
