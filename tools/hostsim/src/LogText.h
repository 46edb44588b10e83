// Renderings of received bytes for the request log.
//
// Thread-safety: pure functions.
#pragma once

#include <string>
#include <string_view>

namespace vtx::hostsim {

// Two upper-case hex digits per byte, no separators.
std::string hexBytes(std::string_view bytes);

// The bytes as text; bytes outside 0x20-0x7E, and the backslash itself, are
// written \xHH so that the text reads back to exactly the same bytes.
std::string printableText(std::string_view bytes);

}  // namespace vtx::hostsim
