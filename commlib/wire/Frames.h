// Framing of a message on the wire. Grammar: doc/wire-frames.md.
//
//   plain        "%04d" length, message                (at most 3072 bytes)
//   binary       16-bit length, low byte first, message
//   TPDU         "%04d" (L + 15), service (3, blank-padded), operator code (8),
//                then the plain frame of the message   (L + 19 bytes in all)
//   gateway TPDU 16-bit length (low byte first) of what follows, the n TPDU
//                bytes of the configuration, then the plain frame
//
// Thread-safety: pure functions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vtx::wire {

inline constexpr size_t kMaxMessage = 3072;
inline constexpr size_t kTpduPrefix = 15;  // outer digits + service + operator code
inline constexpr size_t kTpduOverhead = 19;

std::string plainFrame(std::string_view message);
std::string binaryLengthFrame(std::string_view message);
std::string tpduFrame(std::string_view service, std::string_view operatorCode,
                      std::string_view message);
std::string gatewayTpduFrame(std::string_view tpdu, std::string_view message);

// Four ASCII decimal digits; nullopt when any is not a digit.
std::optional<size_t> parseAsciiLength(std::string_view fourDigits);

// The length in front of a request as callers write it: up to four decimal
// digits after optional leading blanks, read up to the first other character
// ("%04d", or "  45"); 0 when there are no digits. Looks at no more than the
// first four characters of `field`.
size_t announcedLength(std::string_view field);

// A 16-bit little-endian length.
size_t parseBinaryLength(const char twoBytes[2]);

// "%04d" of `len` into out[0..3] (no terminator).
void formatAsciiLength(size_t len, char out[4]);

// Pairs of hexadecimal digits to bytes; nullopt on an odd count or a non-hex
// character.
std::optional<std::string> hexToBytes(std::string_view hex);

}  // namespace vtx::wire
