// The checksum that the station's data files (UP.Sxx, LT0001.Sxx, MF.Sxx, the
// report and batch files) carry as the last two characters of their names.
//
// Over the text of the file, line terminators excluded, in Windows-1252
// bytes: sum += byte * (weight mod 255), weight += 1, starting from sum 0 and
// weight 1 and going on across lines (weights 1..254, then 0 for every 255th
// character). The check value is the sum modulo 255 as two upper-case
// hexadecimal digits ("00" to "FE"). An addition that would take the sum past
// the 32-bit signed range is not made and ends the summing; the check value
// is that of the sum reached.
//
// Thread-safety: stateless; any thread (the reporter belongs to the client's
// thread).
#pragma once

#include <QString>

#include "core/ErrorReporter.h"

namespace vtx::client {

// Adds one line (its Windows-1252 bytes) to the running sum. False when an
// addition would overflow: the sum then holds every character before it and
// the weight stands at the character that was not added.
bool SomaLinhaCheckSum(const QString& line, qint32& sum, qint32& weight);

// The check value of a running sum: sum mod 255, two upper-case hex digits.
QString checkValueOf(qint32 sum);

// True when the file at `path` (Windows-style or native, found without regard
// to case) exists and its check value equals the last two characters of
// `path`, compared exactly (a lower-case name never matches); `checkValue`
// then receives it and is left unchanged otherwise.
// A missing file is reported through `reporter` as "Arquivo <trimmed path>
// não foi encontrado.", a read fault as "<number> - <description>", both under
// "Valida_Check_Sum_Arquivo"; the result is then false.
bool Valida_Check_Sum_Arquivo(const QString& path, QString& checkValue,
                              const ErrorReporter& reporter);

}  // namespace vtx::client
