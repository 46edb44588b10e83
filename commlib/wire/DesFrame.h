// The DES-enciphered frame (cipher mode 2). Grammar: doc/wire-frames.md.
//
//   offset 0   2 bytes  payload length + 21, little endian
//          2   8 bytes  terminal serial
//         10   8 bytes  session key enciphered with DES under the master key
//         18   5 bytes  E5 00 05 00 05
//         23   n bytes  payload, enciphered under the session key when n >= 8
//
// The payload is enciphered block by block: first its last 8 bytes, then the
// blocks at 0, 8, 16, ... while the offset is at most n - 8. Deciphering
// undoes that: the blocks in ascending order, then the last 8 bytes.
//
// Thread-safety: pure functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "DesBlock.h"

namespace vtx::wire {

inline constexpr size_t kDesHeaderSize = 23;
inline constexpr int kDesLengthBias = 21;
inline constexpr DesKey kSessionKey = {0xA4, 0x19, 0xC7, 0x3E, 0x52, 0xD8, 0x0B, 0x6F};
inline constexpr uint8_t kDesTrailer[5] = {0xE5, 0x00, 0x05, 0x00, 0x05};

// Builds the 23-byte header for a payload of `payloadLen` bytes.
void buildDesHeader(const DesKey& masterKey, const char serial[8], size_t payloadLen,
                    uint8_t header[kDesHeaderSize]);

// Payload length announced by a header ((field - 21) as 16 bits).
size_t desPayloadLength(const uint8_t header[kDesHeaderSize]);

// The session key carried by a header, deciphered with the master key.
DesKey desSessionKey(const DesKey& masterKey, const uint8_t header[kDesHeaderSize]);

// In-place payload transforms with the session key.
void encipherDesPayload(const DesKey& sessionKey, uint8_t* data, size_t len);
void decipherDesPayload(const DesKey& sessionKey, uint8_t* data, size_t len);

// Whole frame, header and enciphered payload (used by the host simulator).
std::string buildDesFrame(const DesKey& masterKey, const char serial[8], std::string_view payload);

}  // namespace vtx::wire
