// Masking of card data in traces and logs: the one place every trace and log
// line passes through, so no caller can forget.
//
// A card number or track is a run of digits holding 13 or more of them,
// where the digits may be joined by the separators of magnetic tracks ("=",
// "^" and the track separator byte 0xE7) or, as people write card numbers,
// by single blanks or dashes ("6012 0000 0000 0001", "6012-0000-0000-0001").
// In such a run every digit but the first 6 and the last 4 becomes "*"; the
// joiners stay. Values of the card number field (953-...) in a numbered-field
// message are masked from 10 digits on; values of the product code field
// (902-...) are bar codes and stay as they are. Everything else is left as it
// is: field names such as "000-000" never join a run through the "=" after
// them, since a run joins either by track separators or by blanks and
// dashes, not both.
//
// Thread-safety: pure functions.
#pragma once

#include <string>
#include <string_view>

namespace vtx::wire {

std::string maskCardData(std::string_view text);

}  // namespace vtx::wire
