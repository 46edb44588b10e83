// Single-block DES (ECB, 64-bit key, no parity or weak-key checks), the only
// cryptography of the system, used by the enciphered frame.
//
// Thread-safety: pure functions; each call keys its own schedule.
#pragma once

#include <array>
#include <cstdint>

namespace vtx::wire {

using DesKey = std::array<uint8_t, 8>;

void desEncryptBlock(const DesKey& key, uint8_t block[8]);
void desDecryptBlock(const DesKey& key, uint8_t block[8]);

}  // namespace vtx::wire
