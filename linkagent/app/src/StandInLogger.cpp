#include "StandInLogger.h"

#include <strings.h>

#include "CardMask.h"
#include "vtx/platform/IniFile.h"

namespace vtx::linkagent {

void StandInLogger::log(const std::string& text) {
    if (!enabled_) return;
    output_.line("log: " + vx::wire::maskCardData(text));
}

bool StandInLogger::enabledIn(const std::string& coreIni) {
    const std::string value = vtx::platform::iniGetString(coreIni, "ShellFile", "LOGENABLE", "N");
    return ::strcasecmp(value.c_str(), "true") == 0 || value == "1" ||
           ::strcasecmp(value.c_str(), "Y") == 0;
}

}  // namespace vtx::linkagent
