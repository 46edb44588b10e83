// The leading-number parse that the client applies to status codes, counts
// and occurrence numbers read from messages: "05" is 5, "12abc" is 12,
// "" and "abc" are 0.
//
// Blanks, tabs, CR and LF are skipped anywhere before and among the digits
// (" 0 5" is 5); one leading sign is taken; reading stops at the first other
// character, so only the integer part of "12,50" or "12.50" is read (12).
// Values beyond the range of qint64 saturate.
//
// Thread-safety: pure function.
#pragma once

#include <QStringView>
#include <QtGlobal>

namespace vtx::client {

qint64 leadingNumber(QStringView text);

}  // namespace vtx::client
