// "Numeric value of the text" as the client's stored files and settings are
// read: the leading number of a text, and its conversion to the 16- and 32-bit
// integers of the records.
//
// valueOf() skips blanks, tabs, CR and LF anywhere in the number, takes an
// optional sign, digits, one decimal point ("." only, whatever the locale)
// and an exponent ("E" or "D"), and stops at the first other character:
// "12abc" is 12, " 0 5" is 5, "abc" and "" are 0. Hexadecimal and octal
// prefixes are not read.
//
// Thread-safety: pure functions.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace vtx::client {

double valueOf(QStringView text);

// Rounded half to even, as integer fields of the records take a fractional
// value; nullopt when the value does not fit (the caller reports an overflow).
std::optional<qint16> toInt16(double value);
std::optional<qint32> toInt32(double value);

}  // namespace vtx::client
