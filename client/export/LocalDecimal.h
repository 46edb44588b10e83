// Decimal texts in the workstation's local format ("10,00", "12,5", "3")
// read as whole hundredths, and the fixed-width texts of the export file.
//
// Thread-safety: pure functions.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

namespace vtx::client {

// Blanks around the text, one leading sign, digits, then optionally
// `decimalSeparator` and digits; at least one digit, at most 9 before the
// separator. Decimals beyond the second round half up. No group separators.
// nullopt when the text is anything else (empty included).
std::optional<qint64> parseHundredths(QStringView text, QChar decimalSeparator);

// Hundredths rounded half up to whole units (non-negative values).
qint64 roundToUnits(qint64 hundredths);

// "0000000,00": 7 integer digits, the separator, 2 decimals. The value must
// lie in 0 to kMaxAmount.
inline constexpr qint64 kMaxAmount = 999'999'999;
QString formatAmount(qint64 hundredths, QChar decimalSeparator);

// `value` zero-padded on the left to `width` digits (value must fit).
QString zeroPadded(qint64 value, int width);

}  // namespace vtx::client
