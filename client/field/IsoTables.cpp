#include "field/IsoTables.h"

#include "field/LeadingNumber.h"

namespace vtx::client {

qint16 bitOfKey(QStringView groupBitMap, QStringView key) {
    constexpr qsizetype kEntry = 6;
    const QStringView group = key.left(3);
    if (group.size() != 3) return 0;
    // Entry by entry: a plain substring search could match across two entries.
    for (qsizetype at = 0; at + kEntry <= groupBitMap.size(); at += kEntry) {
        if (groupBitMap.mid(at, 3) == group) {
            return static_cast<qint16>(leadingNumber(groupBitMap.mid(at + 3, 3)));
        }
    }
    return 0;
}

QString formatOfBit(QStringView bitFormats, int bit) {
    if (bit < 1 || 2 * bit > bitFormats.size()) return {};
    return bitFormats.mid(2 * (bit - 1), 2).toString();
}

QChar typeOfBit(QStringView bitTypes, int bit) {
    if (bit < 1 || bit > bitTypes.size()) return {};
    return bitTypes[bit - 1];
}

}  // namespace vtx::client
