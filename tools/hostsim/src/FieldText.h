// Text shaping shared by the message readers and writers, the receipts and
// the data files: numbers as fixed-width digits, text fitted to a width,
// amounts in cents, card numbers masked.
//
// Thread-safety: pure functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vtx::hostsim {

// `value` as exactly `width` digits, zero-filled on the left; a value that
// does not fit keeps its last `width` digits. Negative values count as 0.
std::string zeroFill(long value, size_t width);

// `text` cut to `width` characters or padded on the right with blanks.
std::string fitText(std::string_view text, size_t width);

// `text` without leading and trailing blanks.
std::string_view trimmed(std::string_view text);

// The value of a text of 1 to 18 decimal digits (blanks around are allowed),
// nullopt for anything else.
std::optional<long> digitsValue(std::string_view text);

// A product code as compared: digits without leading zeros ("0" for zero).
// Text that is not all digits is returned trimmed, unchanged.
std::string canonicalCode(std::string_view code);

// Cents as the receipt shows them: "1234,56"; negative values with "-".
std::string centsText(long cents);

// The leading run of digits of a card number or track, after any leading
// non-digits (";", "%B"): "6012..." from ";6012...=2512...".
std::string cardDigits(std::string_view cardOrTrack);

// A card number for receipts and the state log: all but the first 6 and
// last 4 digits masked; numbers of 10 digits or fewer keep only the last 4.
std::string maskedCard(std::string_view digits);

// True when `text` can travel as a numbered-field value: no ";" and no
// control characters (bytes from 0x80 up, as in Windows-1252 text, pass).
bool isFieldSafe(std::string_view text);

}  // namespace vtx::hostsim
