#include "vtx/linkagent/DialUpSettings.h"

#include <algorithm>

#include "vtx/platform/IniFile.h"

namespace vtx::linkagent {

namespace {

constexpr int kMaxDialWait = 600;

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

DialUpSettings readDialUpSettings(std::string_view installDir) {
    std::string dir(installDir);
    auto core = platform::loadIni(dir + "\\CORE.INI");
    DialUpSettings s;
    std::string active = core->getString("DialUp", "ActiveDialUp", "N");
    s.inUse = !active.empty() &&
              (active[0] == 'S' || active[0] == 's' || active[0] == 'Y' || active[0] == 'y');
    s.time2HangUp = core->getInt("DialUp", "Time2HangUp", 0);
    s.connection = core->getString("DialUP", "Connection", "");
    s.redial = static_cast<int>(
        std::clamp(core->getInt("CONFIG", "Qty_Redial", 0), 0L, static_cast<long>(kMaxRedial)));
    s.backend = lower(core->getString("DialUp", "Backend", "nmcli"));
    std::string state = core->getString("DialUp", "SimulatedModem", "SimModem.ini");
    bool bare = state.find_first_of("\\/:") == std::string::npos;
    s.simulatedState = bare ? dir + "\\" + state : state;
    s.dialWait = static_cast<int>(
        std::clamp(core->getInt("DialUp", "DialWait", 60), 1L, static_cast<long>(kMaxDialWait)));
    return s;
}

std::unique_ptr<platform::DialUp> openDialUpBackend(const DialUpSettings& settings) {
    if (settings.backend == "simulated")
        return platform::makeSimulatedDialUp(settings.simulatedState);
    if (settings.backend == "nmcli" || settings.backend.empty()) {
        platform::NmcliOptions options;
        options.dialWait = std::chrono::seconds(settings.dialWait);
        return platform::makeNmcliDialUp(options);
    }
    return nullptr;
}

}  // namespace vtx::linkagent
