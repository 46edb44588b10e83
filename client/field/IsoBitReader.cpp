#include "field/IsoBitReader.h"

#include "field/IsoCodec.h"
#include "field/IsoTables.h"

namespace vtx::client {

namespace {

constexpr qsizetype kTypeLength = 4;
constexpr qsizetype kBitmapLength = 16;

// A run of decimal digits only; -1 otherwise.
qsizetype digitsValue(QStringView text) {
    if (text.isEmpty()) return -1;
    qsizetype value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

}  // namespace

IsoBitRead readIsoBit(int bit, QStringView isoText) {
    using Status = IsoBitRead::Status;
    if (bit < 1 || bit > kIsoBitCount) return {Status::kAbsent, {}};
    const QStringView d = isoText.mid(kTypeLength);
    const std::optional<IsoBitmap> bits = decodeHexBitmap(d);
    if (!bits) return {Status::kMalformed, {}};
    if (!(*bits)[static_cast<size_t>(bit - 1)]) return {Status::kAbsent, {}};

    static const QString kFormats = QString::fromLatin1(kIsoBitFormats);
    qsizetype pos = kBitmapLength;
    for (int b = 1; b <= bit; ++b) {
        if (!(*bits)[static_cast<size_t>(b - 1)]) continue;
        const QString format = formatOfBit(kFormats, b);
        qsizetype length = 0;
        if (format == u"2L" || format == u"3L") {
            const qsizetype digits = format == u"2L" ? 2 : 3;
            if (pos + digits > d.size()) return {Status::kTruncated, {}};
            length = digitsValue(d.mid(pos, digits));
            if (length < 0) return {Status::kMalformed, {}};
            pos += digits;
        } else {
            length = digitsValue(format);
            if (length < 0) return {Status::kMalformed, {}};
        }
        if (pos + length > d.size()) return {Status::kTruncated, {}};
        if (b == bit) return {Status::kOk, d.mid(pos, length).toString()};
        pos += length;
    }
    return {Status::kAbsent, {}};
}

}  // namespace vtx::client
