// The client's INI reads and writes (private-profile semantics of
// vtx/platform/IniFile.h; the files hold Windows-1252 text).
//
// `file` is a Windows-style or native path; a bare file name ("WINVTXCORE.INI")
// is in the Windows directory, as the private-profile functions have it.
// Section and key names compare without regard to case.
//
// Thread-safety: any thread (the platform layer serialises writers).
#pragma once

#include <QString>

namespace vtx::client {

// Reads the key (at most 1023 characters, the stations' fixed buffer).
// When the text read, or `def` when the key is missing, has a character, the
// result is true and `value` is that text without leading and trailing
// blanks. Otherwise the result is false and `value` is emptied: a missing key
// with a non-empty default succeeds, a key present with an empty value fails
// even when a default is given.
bool LeLinhaArquivoIni(const QString& section, const QString& key, const QString& def,
                       QString& value, const QString& file);

// Writes the key, creating the file and the section when missing; true when
// the file was written.
bool GravaLinhaArquivoIni(const QString& section, const QString& key, const QString& value,
                          const QString& file);

// Removes blanks (spaces only, the client's Trim) from both ends.
QString trimBlanks(const QString& text);

}  // namespace vtx::client
