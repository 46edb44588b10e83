// The widget edge of the installer's texts: the configuration core keeps
// answers and messages as Windows-1252 bytes, the widgets show QString.
//
// Thread-safety: pure functions.
#pragma once

#include <QString>
#include <string>

namespace vtx::install {

QString fromCore(const std::string& bytes);
// A message of several lines: its "\r\n" shown as one line break.
QString fromCoreLines(const std::string& bytes);
// Characters outside Windows-1252 become "?".
std::string toCore(const QString& text);

}  // namespace vtx::install
