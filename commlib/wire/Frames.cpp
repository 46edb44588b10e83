#include "Frames.h"

#include <cstdio>

namespace vtx::wire {
namespace {

void appendLe16(std::string& out, size_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

void formatAsciiLength(size_t len, char out[4]) {
    char text[16];
    (void)std::snprintf(text, sizeof text, "%04zu", len % 10000);  // four digits always fit
    for (int i = 0; i < 4; ++i) out[i] = text[i];
}

std::string plainFrame(std::string_view message) {
    std::string frame(4, '0');
    formatAsciiLength(message.size(), frame.data());
    frame.append(message);
    return frame;
}

std::string binaryLengthFrame(std::string_view message) {
    std::string frame;
    frame.reserve(message.size() + 2);
    appendLe16(frame, message.size());
    frame.append(message);
    return frame;
}

std::string tpduFrame(std::string_view service, std::string_view operatorCode,
                      std::string_view message) {
    std::string frame(4, '0');
    formatAsciiLength(message.size() + kTpduPrefix, frame.data());
    std::string svc(service.substr(0, 3));
    svc.resize(3, ' ');
    std::string code(operatorCode.substr(0, 8));
    code.resize(8, ' ');
    frame += svc;
    frame += code;
    frame += plainFrame(message);
    return frame;
}

std::string gatewayTpduFrame(std::string_view tpdu, std::string_view message) {
    std::string frame;
    appendLe16(frame, tpdu.size() + 4 + message.size());
    frame.append(tpdu);
    frame += plainFrame(message);
    return frame;
}

std::optional<size_t> parseAsciiLength(std::string_view fourDigits) {
    if (fourDigits.size() < 4) return std::nullopt;
    size_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        char c = fourDigits[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<size_t>(c - '0');
    }
    return value;
}

size_t announcedLength(std::string_view field) {
    field = field.substr(0, 4);
    size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    size_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        value = value * 10 + static_cast<size_t>(field[i] - '0');
    return value;
}

size_t parseBinaryLength(const char twoBytes[2]) {
    return static_cast<unsigned char>(twoBytes[0]) |
           (static_cast<size_t>(static_cast<unsigned char>(twoBytes[1])) << 8);
}

std::optional<std::string> hexToBytes(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string out;
    out.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        int hi = hexDigit(hex[i]);
        int lo = hexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out.push_back(static_cast<char>(hi * 16 + lo));
    }
    return out;
}

}  // namespace vtx::wire
