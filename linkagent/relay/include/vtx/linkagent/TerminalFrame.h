// Frames between a shop terminal and the relay of the connection manager.
//
//   request  = length route plain          ; length counts route and plain
//            | length "LOGIN|" text        ; a logon request, no route
//   route    = service3 code8              ; as the terminal sent them
//   plain    = len4 message                ; the plain frame (doc/wire-frames.md)
//   reply    = length route framed-reply   ; length counts route and framed reply
//            | "0002OK"                    ; answer to a logon request
//            | "-" digits                  ; a negative result as decimal text, no length
//   length   = d ASCII digits ("%0*d")     ; Data Type "N", d = Len Size
//            | 2 bytes, low byte first     ; Data Type "B" or "H"
//
// With Data Type "N" and Len Size 4 a request is exactly the TPDU frame that
// the communication library sends with access type 2, and a reply the one it
// expects back. A request longer than route + 4 + 3072 bytes is refused
// before it is read.
//
// Thread-safety: pure functions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vtx::linkagent {

enum class DataType { Numeric, Binary };

struct TerminalFraming {
    DataType dataType = DataType::Numeric;
    int lenSize = 4;  // digits of the numeric length, 1 to kMaxLenSize
};

inline constexpr int kMaxLenSize = 9;
inline constexpr size_t kRouteSize = 11;  // service (3) and operator code (8)
inline constexpr size_t kMaxTerminalRequest = kRouteSize + 4 + 3072;
inline constexpr std::string_view kLogonAnswer = "0002OK";

// Bytes of the length in front of a request or reply.
size_t lengthFieldSize(const TerminalFraming& framing);

// The count a length field announces: for "N" optional leading blanks and
// then decimal digits only, for "B" the 16-bit value. nullopt when the field
// is not a number (or not lengthFieldSize() bytes long).
std::optional<size_t> parseLengthField(const TerminalFraming& framing, std::string_view field);

// The reply to a relayed request: the length, the route as received and the
// framed reply (its four digits and the reply). nullopt when the count does
// not fit in the length field (a numeric length of few digits).
std::optional<std::string> replyFrame(const TerminalFraming& framing, std::string_view route,
                                      std::string_view framedReply);

// A negative result as the terminal receives it: "-163".
std::string errorReply(int code);

// True when the text before the first "|" of `request` is exactly "LOGIN".
bool isLogonRequest(std::string_view request);

// The request that asks the connection manager for the terminal logon: the
// length and "LOGIN|" (what `LinkAgent LOGIN` sends to a running instance).
std::string logonRequest(const TerminalFraming& framing);

}  // namespace vtx::linkagent
