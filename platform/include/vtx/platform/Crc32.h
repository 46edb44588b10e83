// Two CRC-32s: the reflected one of zip and Ethernet (0xEDB88320), the
// check value of the station's own records; and CRC-32/MPEG-2 (polynomial
// 0x04C11DB7, most significant bit first, initial value 0xFFFFFFFF, no
// reflection, no final inversion), the check value the network's list file
// ATCARQ.BIN gives for each file it names.
//
// Thread-safety: pure functions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vtx::platform {

// The CRC-32 of `bytes`; `previous` continues a value computed over the bytes
// before them ("123456789" gives 0xCBF43926).
std::uint32_t crc32(std::string_view bytes, std::uint32_t previous = 0);

// CRC-32/MPEG-2 of `bytes`, continuing `previous` (start with
// kCrc32Mpeg2Start): "123456789" gives 0x0376E6E7.
inline constexpr std::uint32_t kCrc32Mpeg2Start = 0xFFFFFFFFU;
std::uint32_t crc32Mpeg2(std::string_view bytes, std::uint32_t previous = kCrc32Mpeg2Start);

// A CRC as the list file writes it: eight upper-case hexadecimal digits.
std::string crcText(std::uint32_t crc);

}  // namespace vtx::platform
