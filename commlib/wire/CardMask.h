// Masking of card data in traces and logs: the one place every trace and log
// line passes through, so no caller can forget it.
//
// In a run of digits (and the "=" / "^" separators of magnetic tracks, and
// the track separator byte 0xE7) holding 13 or more digits, every digit but
// the first 6 and the last 4 of the run becomes "*". Values of the card
// number field (953-...) in a numbered-field message are masked from 10
// digits on; values of the product code field (902-...) are bar codes and
// stay as they are. Everything else is left as it is.
//
// Thread-safety: pure functions.
#pragma once

#include <string>
#include <string_view>

namespace vx::wire {

std::string maskCardData(std::string_view text);

}  // namespace vx::wire
