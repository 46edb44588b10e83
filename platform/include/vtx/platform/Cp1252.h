// Windows-1252 <-> UTF-8 conversion for the edges where bytes of the shop's
// files and wire meet text (the client, the console tools).
//
// Thread-safety: pure functions.
#pragma once

#include <string>
#include <string_view>

namespace vtx::platform {

// Every byte maps to a character; the five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// value, so the conversion round-trips.
std::string cp1252ToUtf8(std::string_view bytes);

// Characters outside Windows-1252 and malformed UTF-8 become `replacement`.
std::string utf8ToCp1252(std::string_view text, char replacement = '?');

}  // namespace vtx::platform
