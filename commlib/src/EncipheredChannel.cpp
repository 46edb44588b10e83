#include "EncipheredChannel.h"

#include <cstring>
#include <vector>

#include "DesFrame.h"
#include "MasterKey.h"
#include "SocketIo.h"
#include "ThreadState.h"
#include "vtx/platform/IniFile.h"

namespace vtx::cli {

using namespace vtx::wire;

void loadMasterKey(DesKey& key) {
    auto core = vtx::platform::loadIni("CORE.INI");  // the Windows directory's copy
    auto text = core->find("CHAVES", "MASTERKEY");
    if (!text) {
        key = kDefaultMasterKey;
        return;
    }
    // Every load starts from the zero key of a freshly loaded library, so a
    // request's key never depends on what an earlier request loaded.
    key = {};
    decodeMasterKey(std::string_view(*text).substr(0, 100), key);
}

int sendEnciphered(int sock, const char* payload, size_t len, const char serial[8], int waitSeconds,
                   const DesKey& masterKey) {
    std::vector<char> frame(kDesHeaderSize + len);
    auto* bytes = reinterpret_cast<uint8_t*>(frame.data());
    buildDesHeader(masterKey, serial, len, bytes);
    std::memcpy(bytes + kDesHeaderSize, payload, len);
    encipherDesPayload(kSessionKey, bytes + kDesHeaderSize, len);
    // Header and payload leave in one write; the count keeps the two steps'
    // meaning: header bytes when the header did not go whole.
    size_t sent = sendAll(sock, frame.data(), frame.size(), waitSeconds * 1000);
    if (sent < kDesHeaderSize) return static_cast<int>(sent);
    return static_cast<int>(sent - kDesHeaderSize);
}

EncipheredReceive receiveEnciphered(int sock, char* dst, size_t capacity, int waitMs,
                                    bool gatewayHeader, const DesKey& masterKey,
                                    std::chrono::milliseconds payloadTime) {
    EncipheredReceive out;
    uint8_t header[kDesHeaderSize];
    auto head = receiveExact(sock, reinterpret_cast<char*>(header), kDesHeaderSize, waitMs,
                             gatewayHeader ? HeaderKind::GatewayHeader : HeaderKind::Header,
                             PollClock::now() + std::chrono::milliseconds(waitMs));
    if (head.gatewayCode != 0) {
        out.gatewayCode = head.gatewayCode;
        return out;
    }
    if (head.received < kDesHeaderSize) return out;
    out.headerReceived = true;
    size_t len = desPayloadLength(header);
    if (len > capacity) {
        out.oversize = true;
        return out;
    }
    DesKey session = desSessionKey(masterKey, header);
    auto body =
        receiveExact(sock, dst, len, waitMs, HeaderKind::Body, PollClock::now() + payloadTime);
    if (body.received < len) return out;
    decipherDesPayload(session, reinterpret_cast<uint8_t*>(dst), len);
    setLastError(0);
    out.length = static_cast<int>(len);
    return out;
}

}  // namespace vtx::cli
