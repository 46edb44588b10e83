// The DES master key as the station's configuration writes it.
//
// The text is decoded left to right into at most 8 bytes:
//   a character other than "\"           -> its byte
//   "\" + a non-hex character             -> that character
//   "\" + hex digit + non-hex character   -> both characters
//   "\" + two hex digits (either case)    -> the byte they spell
// Bytes the text does not produce keep their previous value.
//
// Thread-safety: pure function.
#pragma once

#include <string_view>

#include "DesBlock.h"

namespace vtx::wire {

// The key used when the configuration names none: eight bytes 0x6B.
inline constexpr DesKey kDefaultMasterKey = {0x6B, 0x6B, 0x6B, 0x6B, 0x6B, 0x6B, 0x6B, 0x6B};

// Decodes `text` over `key` in place.
void decodeMasterKey(std::string_view text, DesKey& key);

}  // namespace vtx::wire
