#include "DesFrame.h"

#include <cstring>

namespace vtx::wire {

void buildDesHeader(const DesKey& masterKey, const char serial[8], size_t payloadLen,
                    uint8_t header[kDesHeaderSize]) {
    uint16_t field = static_cast<uint16_t>(payloadLen + kDesLengthBias);
    header[0] = static_cast<uint8_t>(field & 0xFF);
    header[1] = static_cast<uint8_t>(field >> 8);
    std::memcpy(header + 2, serial, 8);
    std::memcpy(header + 10, kSessionKey.data(), 8);
    desEncryptBlock(masterKey, header + 10);
    std::memcpy(header + 18, kDesTrailer, sizeof kDesTrailer);
}

size_t desPayloadLength(const uint8_t header[kDesHeaderSize]) {
    uint16_t field = static_cast<uint16_t>(header[0] | (header[1] << 8));
    return static_cast<uint16_t>(field - kDesLengthBias);
}

DesKey desSessionKey(const DesKey& masterKey, const uint8_t header[kDesHeaderSize]) {
    DesKey session;
    std::memcpy(session.data(), header + 10, 8);
    desDecryptBlock(masterKey, session.data());
    return session;
}

void encipherDesPayload(const DesKey& sessionKey, uint8_t* data, size_t len) {
    if (len < 8) return;
    desEncryptBlock(sessionKey, data + len - 8);
    for (size_t off = 0; off + 8 <= len; off += 8) desEncryptBlock(sessionKey, data + off);
}

void decipherDesPayload(const DesKey& sessionKey, uint8_t* data, size_t len) {
    if (len < 8) return;
    for (size_t off = 0; off + 8 <= len; off += 8) desDecryptBlock(sessionKey, data + off);
    desDecryptBlock(sessionKey, data + len - 8);
}

std::string buildDesFrame(const DesKey& masterKey, const char serial[8], std::string_view payload) {
    std::string frame(kDesHeaderSize + payload.size(), '\0');
    auto* bytes = reinterpret_cast<uint8_t*>(frame.data());
    buildDesHeader(masterKey, serial, payload.size(), bytes);
    std::memcpy(bytes + kDesHeaderSize, payload.data(), payload.size());
    encipherDesPayload(kSessionKey, bytes + kDesHeaderSize, payload.size());
    return frame;
}

}  // namespace vtx::wire
