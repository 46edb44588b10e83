#include "vtx/linkagent/shellfile/ShellFileSettings.h"

#include <algorithm>
#include <cstdlib>

#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent {
namespace {

constexpr const char* kSection = "ShellFile";
constexpr long kMostPauseMs = 3600L * 1000;

// The value of `key`, or `fallback` when it is missing or empty.
std::string valueOr(const vtx::platform::IniDocument& ini, const char* key,
                    const std::string& fallback) {
    std::string value = ini.getString(kSection, key, "");
    return value.empty() ? fallback : value;
}

std::string below(const std::string& installDir, const std::string& folder) {
    return vtx::platform::resolve(installDir + "\\" + folder);
}

}  // namespace

ShellFileSettings readShellFileSettings(const std::string& coreIni) {
    auto ini = vtx::platform::loadIni(coreIni);
    ShellFileSettings s;
    s.inputFolder = valueOr(*ini, "Input_Folder", s.inputFolder);
    s.outputFolder = valueOr(*ini, "Output_Folder", s.outputFolder);
    s.extension = valueOr(*ini, "Input_Extension File", s.extension);
    s.dllExec = valueOr(*ini, "Dll Exec", s.dllExec);
    s.functionExec = valueOr(*ini, "Function Exec", s.functionExec);
    s.eofMarker = ini->getString(kSection, "EOF", s.eofMarker);
    // An empty or unreadable value keeps the default pacing.
    const std::string pause = ini->getString(kSection, "Pause_Next_File", "");
    char* end = nullptr;
    const long ms = std::strtol(pause.c_str(), &end, 10);
    if (!pause.empty() && end != nullptr && *end == '\0')
        s.pause = std::chrono::milliseconds(std::clamp(ms, 0L, kMostPauseMs));
    return s;
}

std::string shellInputFolder(const std::string& installDir, const ShellFileSettings& settings) {
    return below(installDir, settings.inputFolder);
}

std::string shellOutputFolder(const std::string& installDir, const ShellFileSettings& settings) {
    return below(installDir, settings.outputFolder);
}

}  // namespace vtx::linkagent
