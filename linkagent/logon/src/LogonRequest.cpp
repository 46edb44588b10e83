#include "LogonRequest.h"

namespace vtx::linkagent::logon {
namespace {

// Type 0800, bitmap 2000000001410000 (bits 3, 40, 42, 48), bit 3 388000,
// bit 40 "003".
constexpr std::string_view kPrefix = "08002000000001410000388000003";
constexpr std::string_view kBit48Length = "026";

// As printf's "%0W.Ws" does it on the stations: cut, then "0" on the left.
std::string zeroPadded(std::string_view text, size_t width) {
    text = text.substr(0, width);
    return std::string(width - text.size(), '0').append(text);
}

std::string blankPadded(std::string_view text, size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

}  // namespace

std::string buildLogonRequest(std::string_view establishment, const LogonMark& mark,
                              std::string_view continuation) {
    std::string message;
    message.reserve(73);
    message.append(kPrefix)
        .append(blankPadded(establishment, 15))
        .append(kBit48Length)
        .append(zeroPadded(mark.batch, 10))
        .append(zeroPadded(mark.version, 6))
        .append(zeroPadded(continuation, 10));
    std::string framed = std::to_string(message.size());
    framed.insert(0, 4 - framed.size(), '0');
    return framed + message;
}

}  // namespace vtx::linkagent::logon
