#include "field/IsoCodec.h"

#include "field/LeadingNumber.h"

namespace vtx::client {

namespace {

constexpr int kDigits = 16;

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return -1;
}

}  // namespace

qsizetype bitCapacity(QStringView format) {
    if (format == u"2L") return 99;
    if (format == u"3L") return 999;
    return leadingNumber(format);
}

std::optional<QString> shapeBitData(const QString& data, QStringView format, QChar type) {
    if (data.size() > bitCapacity(format)) return std::nullopt;
    if (format == u"2L" || format == u"3L") {
        const int width = format == u"2L" ? 2 : 3;
        return QStringLiteral("%1").arg(data.size(), width, 10, QChar(u'0')) + data;
    }
    const qsizetype width = leadingNumber(format);
    return type == u'A' ? data.leftJustified(width, u' ') : data.rightJustified(width, u'0');
}

QString encodeHexBitmap(const IsoBitmap& bits) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(kDigits);
    for (int digit = 0; digit < kDigits; ++digit) {
        int value = 0;
        for (int k = 0; k < 4; ++k) value = value * 2 + (bits[static_cast<size_t>(digit * 4 + k)] ? 1 : 0);
        out += QChar(kHex[value]);
    }
    return out;
}

std::optional<IsoBitmap> decodeHexBitmap(QStringView text) {
    if (text.size() < kDigits) return std::nullopt;
    IsoBitmap bits;
    for (int digit = 0; digit < kDigits; ++digit) {
        const int value = hexValue(text[digit]);
        if (value < 0) return std::nullopt;
        for (int k = 0; k < 4; ++k) bits[static_cast<size_t>(digit * 4 + k)] = (value >> (3 - k)) & 1;
    }
    return bits;
}

}  // namespace vtx::client
