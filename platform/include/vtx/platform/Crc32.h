// CRC-32 (the polynomial of zip and Ethernet, reflected, 0xEDB88320), the
// check value of records and downloaded files.
//
// Thread-safety: pure functions.
#pragma once

#include <cstdint>
#include <string_view>

namespace vtx::platform {

// The CRC-32 of `bytes`; `previous` continues a value computed over the bytes
// before them ("123456789" gives 0xCBF43926).
std::uint32_t crc32(std::string_view bytes, std::uint32_t previous = 0);

}  // namespace vtx::platform
