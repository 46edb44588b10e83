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

// LLVAR ("2L"): the character count, zero-padded to at least 2 digits, then
// the data; LLLVAR ("3L"): the same with 3 digits; fixed n: data shorter than
// n is padded, with blanks on the right for type 'A' and zeros on the left for
// any other type; longer data is kept whole.
QString shapeBitData(const QString& data, QStringView format, QChar type);

// 16 upper-case hexadecimal digits, bit 1 as the most significant bit of the
// first digit.
QString encodeHexBitmap(const IsoBitmap& bits);

// The bitmap from the first 16 characters of `text`; nullopt when there are
// fewer or one is not a hexadecimal digit (either case).
std::optional<IsoBitmap> decodeHexBitmap(QStringView text);

}  // namespace vtx::client
