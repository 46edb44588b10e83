// Where the PIN pad adapter finds its settings, read at every call:
// WINVTXCORE.INI [CORE] "Path Core" names the folder of CORE.INI (an empty
// or missing key is set to "C:\VANTRIX" and used), and CORE.INI [PINPAD]
// holds the keys of the drivers.
//
// Thread-safety: stateless; the files are read afresh.
#pragma once

#include <string>

namespace vtx::pinpad {

inline constexpr const char* kDefaultPathCore = "C:\\VANTRIX";
inline constexpr const char* kSection = "PINPAD";

// The CORE.INI of the station ("<Path Core>\CORE.INI"), writing the default
// "Path Core" first when it is empty.
std::string coreIniPath();

// [PINPAD] DLLTYPE (default 1).
long libraryType(const std::string& coreIni);

}  // namespace vtx::pinpad
