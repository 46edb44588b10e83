// The scrambling of the manager passwords kept in UP.Sxx.
//
// Both functions work on the Windows-1252 code of every character (the codes
// the password file holds); a character Windows-1252 cannot hold is taken as
// "?". Results wrap into 0..255, so a code that plain addition or subtraction would
// push out of the byte range comes back inside it instead of failing.
//
// Thread-safety: pure functions.
#pragma once

#include <QString>

namespace vtx::client {

// Changes `text` in place. Mode "C" scrambles: code x becomes x + 155 when
// x <= 100 and x - 100 when x >= 101. Mode "D" unscrambles: x + 100 when
// x <= 100 and x - 155 when x >= 101. Any other mode leaves the text as it
// is. Codes 0 to 200 survive "C" then "D" (passwords are digits and letters).
void CriptografiaSenha(QString& text, const QString& mode);

// A second, keyed scrambling. Key 0 returns `text` unchanged. Otherwise, with
// k = key and k2 = 256 - k, for each code x: when x > k, "C" gives x - k and
// "D" gives x - k2; when x <= k, "C" gives x + k2 and "D" gives x + k; other
// modes copy. "D" undoes "C" for every code when 0 < key < 256.
QString GeraCriptografia(const QString& text, const QString& mode, int key);

}  // namespace vtx::client
