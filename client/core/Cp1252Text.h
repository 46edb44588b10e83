// The client's text edge: the shop's files, INI values and library buffers
// hold Windows-1252 bytes, the client works in QString. These two functions
// are the only place where the two meet.
//
// Thread-safety: pure functions.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vtx::client {

// Every byte becomes one character (the conversion never fails).
QString fromCp1252(std::string_view bytes);

// Characters that Windows-1252 cannot hold become "?".
std::string toCp1252(const QString& text);

// A Windows-style or native path as the file system's byte string (file
// names on this machine are UTF-8; the file's content is not affected).
std::string toFileSystemPath(const QString& path);

}  // namespace vtx::client
