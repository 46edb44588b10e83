// Where a station's shared configuration lives and what the library reads of
// it: the locator WINVTXCORE.INI in the Windows directory names the
// installation directory (`Path Server`), which holds CORE.INI, the route file
// VXIFCLI.BIN, the operator table VXTb_opr.txt and LA.bat.
//
// Every request reads these afresh, so an edit takes effect on the next one.
//
// Thread-safety: pure functions over the files.
#pragma once

#include <string>
#include <string_view>

namespace vtx::cli {

inline constexpr const char* kLocatorFile = "WINVTXCORE.INI";
inline constexpr const char* kDefaultPathServer = "C:\\Vantrix";
inline constexpr size_t kPathServerMax = 49;

struct StationPaths {
    std::string pathServer;  // as configured (Windows-style or native), at most 49 characters
    std::string coreIni;     // pathServer + "\CORE.INI"

    // A file of the installation directory, as a Windows-style path.
    std::string file(std::string_view name) const;
};

StationPaths readStationPaths();

// The 8-character operator code for an operator text: its line in
// VXTb_opr.txt (first 20 characters, compared blank-padded and without regard
// to case) gives the code at characters 20-27; without a match the first 8
// characters of the text. A code whose first character is not printable
// ASCII becomes eight blanks.
std::string operatorCodeFor(const StationPaths& paths, std::string_view operatorText);

}  // namespace vtx::cli
