// What `vtx` prints of a station's messages and answers: card numbers and
// tracks masked by the station's one mask (CardMask.h), as its traces show
// them. The mask works on Windows-1252 bytes (the track separator is byte
// 0xE7); the console speaks UTF-8, so the text is converted both ways.
//
// Thread-safety: a pure function.
#pragma once

#include <string>

namespace vtx::tool {

std::string maskedText(const std::string& utf8);

}  // namespace vtx::tool
