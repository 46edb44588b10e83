#include "vtx/linkagent/TerminalFrame.h"

#include <cstdio>

namespace vtx::linkagent {

size_t lengthFieldSize(const TerminalFraming& framing) {
    return framing.dataType == DataType::Binary ? 2 : static_cast<size_t>(framing.lenSize);
}

std::optional<size_t> parseLengthField(const TerminalFraming& framing, std::string_view field) {
    if (field.size() != lengthFieldSize(framing) || field.empty()) return std::nullopt;
    if (framing.dataType == DataType::Binary) {
        return static_cast<size_t>(static_cast<unsigned char>(field[0])) |
               static_cast<size_t>(static_cast<unsigned char>(field[1])) << 8;
    }
    size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    if (i == field.size()) return std::nullopt;
    size_t value = 0;
    for (; i < field.size(); ++i) {
        if (field[i] < '0' || field[i] > '9') return std::nullopt;
        value = value * 10 + static_cast<size_t>(field[i] - '0');
    }
    return value;
}

std::optional<std::string> replyFrame(const TerminalFraming& framing, std::string_view route,
                                      std::string_view framedReply) {
    const size_t count = route.size() + framedReply.size();
    std::string frame;
    if (framing.dataType == DataType::Binary) {
        if (count > 0xFFFF) return std::nullopt;
        frame.push_back(static_cast<char>(count & 0xFF));
        frame.push_back(static_cast<char>(count >> 8));
    } else {
        char digits[32];
        int n = std::snprintf(digits, sizeof digits, "%0*zu", framing.lenSize, count);
        if (n != framing.lenSize) return std::nullopt;
        frame.assign(digits, static_cast<size_t>(n));
    }
    frame.append(route);
    frame.append(framedReply);
    return frame;
}

std::string errorReply(int code) {
    return std::to_string(code);
}

bool isLogonRequest(std::string_view request) {
    size_t bar = request.find('|');
    return bar != std::string_view::npos && request.substr(0, bar) == "LOGIN";
}

std::string logonRequest(const TerminalFraming& framing) {
    // A request's length is written as a reply's; six fits any length field.
    return *replyFrame(framing, {}, "LOGIN|");
}

}  // namespace vtx::linkagent
