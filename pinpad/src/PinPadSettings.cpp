#include "PinPadSettings.h"

#include "vtx/platform/IniFile.h"

namespace vtx::pinpad {

std::string coreIniPath() {
    std::string pathCore = platform::iniGetString("WINVTXCORE.INI", "CORE", "Path Core", "", 259);
    if (pathCore.empty()) {
        pathCore = kDefaultPathCore;
        platform::iniWriteString("WINVTXCORE.INI", "CORE", "Path Core", pathCore);
    }
    return pathCore + "\\CORE.INI";
}

long libraryType(const std::string& coreIni) {
    return platform::iniGetInt(coreIni, kSection, "DLLTYPE", 1);
}

}  // namespace vtx::pinpad
