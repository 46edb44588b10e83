#include "FieldText.h"

namespace vtx::hostsim {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string zeroFill(long value, size_t width) {
    std::string digits = std::to_string(value < 0 ? 0 : value);
    if (digits.size() >= width) return digits.substr(digits.size() - width);
    return std::string(width - digits.size(), '0') + digits;
}

std::string fitText(std::string_view text, size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string_view trimmed(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::optional<long> digitsValue(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || text.size() > 18) return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string canonicalCode(std::string_view code) {
    code = trimmed(code);
    if (code.empty()) return {};
    for (char c : code) {
        if (!isDigit(c)) return std::string(code);
    }
    size_t first = code.find_first_not_of('0');
    return first == std::string_view::npos ? "0" : std::string(code.substr(first));
}

std::string centsText(long cents) {
    std::string sign = cents < 0 ? "-" : "";
    long magnitude = cents < 0 ? -cents : cents;
    return sign + std::to_string(magnitude / 100) + "," + zeroFill(magnitude % 100, 2);
}

std::string cardDigits(std::string_view cardOrTrack) {
    size_t first = 0;
    while (first < cardOrTrack.size() && !isDigit(cardOrTrack[first])) ++first;
    size_t end = first;
    while (end < cardOrTrack.size() && isDigit(cardOrTrack[end])) ++end;
    return std::string(cardOrTrack.substr(first, end - first));
}

std::string maskedCard(std::string_view digits) {
    std::string out(digits);
    const size_t keepFront = out.size() > 10 ? 6 : 0;
    const size_t keepBack = out.size() > 4 ? 4 : 0;
    for (size_t i = keepFront; i + keepBack < out.size(); ++i) out[i] = '*';
    return out;
}

bool isFieldSafe(std::string_view text) {
    for (char c : text) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || c == ';') return false;
    }
    return true;
}

}  // namespace vtx::hostsim
