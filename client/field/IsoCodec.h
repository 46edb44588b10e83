// The pieces of the ISO 8583 form shared by the writer and the reader: the
// shaping of one bit's data by its format and the hexadecimal primary bitmap.
//
// Thread-safety: pure functions.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <bitset>
#include <optional>

namespace vtx::client {

// Bit b of the message is element b-1.
using IsoBitmap = std::bitset<64>;

// The most characters a bit of `format` carries: 99 for LLVAR ("2L") and 999
// for LLLVAR ("3L"), whose lengths have 2 and 3 digits; n for fixed n.
qsizetype bitCapacity(QStringView format);

// LLVAR ("2L"): the character count in 2 digits, zero-padded, then the data;
// LLLVAR ("3L"): the same with 3 digits; fixed n: data shorter than n is
// padded, with blanks on the right for type 'A' and zeros on the left for any
// other type. Data longer than the bit's capacity has no form (nullopt): sent
// whole, or behind a longer length, it would shift every later bit for the
// reader.
std::optional<QString> shapeBitData(const QString& data, QStringView format, QChar type);

// 16 upper-case hexadecimal digits, bit 1 as the most significant bit of the
// first digit.
QString encodeHexBitmap(const IsoBitmap& bits);

// The bitmap from the first 16 characters of `text`; nullopt when there are
// fewer or one is not a hexadecimal digit (either case).
std::optional<IsoBitmap> decodeHexBitmap(QStringView text);

}  // namespace vtx::client
