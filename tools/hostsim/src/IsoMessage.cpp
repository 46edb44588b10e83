#include "IsoMessage.h"

#include "FieldText.h"

namespace vtx::hostsim {
namespace {

constexpr size_t kTypeSize = 4;
constexpr size_t kBitmapSize = 16;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool allDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

bool bitIsSet(std::string_view bitmap, int bit) {
    int nibble = hexValue(bitmap[static_cast<size_t>(bit - 1) / 4]);
    return (nibble & (8 >> ((bit - 1) % 4))) != 0;
}

std::string shaped(const IsoBitFormat& format, const std::string& data) {
    if (format.length == IsoLength::kFixed) {
        if (data.size() >= format.width) return data.substr(0, format.width);
        std::string fill(format.width - data.size(), format.numeric ? '0' : ' ');
        return format.numeric ? fill + data : data + fill;
    }
    const size_t prefix = format.length == IsoLength::kLlvar ? 2 : 3;
    std::string body = data.substr(0, format.width);
    return zeroFill(static_cast<long>(body.size()), prefix) + body;
}

}  // namespace

bool IsoMessage::looksLikeIso(std::string_view text) {
    if (text.size() < kTypeSize + kBitmapSize || !allDigits(text.substr(0, kTypeSize)))
        return false;
    for (char c : text.substr(kTypeSize, kBitmapSize)) {
        if (hexValue(c) < 0) return false;
    }
    return true;
}

std::optional<IsoMessage> IsoMessage::parse(std::string_view text, std::string& error) {
    if (!looksLikeIso(text)) {
        error = "no message type and bitmap";
        return std::nullopt;
    }
    IsoMessage message{std::string(text.substr(0, kTypeSize))};
    std::string_view bitmap = text.substr(kTypeSize, kBitmapSize);
    if (bitIsSet(bitmap, 1)) {
        error = "bit 1: secondary bitmap not supported";
        return std::nullopt;
    }
    size_t pos = kTypeSize + kBitmapSize;
    for (int bit = 2; bit <= kIsoLastBit; ++bit) {
        if (!bitIsSet(bitmap, bit)) continue;
        const IsoBitFormat format = isoBitFormat(bit);
        size_t length = format.width;
        if (format.length != IsoLength::kFixed) {
            const size_t prefix = format.length == IsoLength::kLlvar ? 2 : 3;
            std::string_view digits = text.substr(std::min(pos, text.size()), prefix);
            if (digits.size() != prefix || !allDigits(digits)) {
                error = "bit " + std::to_string(bit) + ": length is not " + std::to_string(prefix) +
                        " digits";
                return std::nullopt;
            }
            length = static_cast<size_t>(*digitsValue(digits));
            pos += prefix;
        }
        if (pos + length > text.size()) {
            error = "bit " + std::to_string(bit) + ": runs past the end of the message";
            return std::nullopt;
        }
        message.bits_[static_cast<size_t>(bit)] = std::string(text.substr(pos, length));
        pos += length;
    }
    if (pos != text.size()) {
        error = std::to_string(text.size() - pos) + " bytes after the last bit";
        return std::nullopt;
    }
    return message;
}

std::string IsoMessage::answerType(std::string_view requestType) {
    std::string type(requestType);
    if (type.size() == kTypeSize && type[2] >= '0' && type[2] <= '8' && (type[2] - '0') % 2 == 0)
        ++type[2];
    return type;
}

std::optional<std::string_view> IsoMessage::bit(int bit) const {
    if (bit < 2 || bit > kIsoLastBit || !bits_[static_cast<size_t>(bit)]) return std::nullopt;
    return std::string_view(*bits_[static_cast<size_t>(bit)]);
}

void IsoMessage::set(int bit, std::string data) {
    if (bit < 2 || bit > kIsoLastBit) return;
    bits_[static_cast<size_t>(bit)] = std::move(data);
}

std::string IsoMessage::serialize() const {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string bitmap;
    std::string data;
    for (int nibbleStart = 1; nibbleStart <= kIsoLastBit; nibbleStart += 4) {
        int nibble = 0;
        for (int i = 0; i < 4; ++i) {
            if (bits_[static_cast<size_t>(nibbleStart + i)]) nibble |= 8 >> i;
        }
        bitmap += kHex[nibble];
    }
    for (int bit = 2; bit <= kIsoLastBit; ++bit) {
        if (const auto& value = bits_[static_cast<size_t>(bit)])
            data += shaped(isoBitFormat(bit), *value);
    }
    return type_ + bitmap + data;
}

}  // namespace vtx::hostsim
