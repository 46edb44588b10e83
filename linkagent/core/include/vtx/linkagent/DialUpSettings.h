// The dial-up settings of CORE.INI, read once at start-up, and the dial-up
// backend they choose (doc/dialup.md):
//   [DialUp] ActiveDialUp   dial-up in use when it starts with "S" or "Y"
//   [DialUp] Time2HangUp    idle seconds before hanging up (0 or missing: never)
//   [DialUp] Connection     the entry to dial (missing: the first entry)
//   [CONFIG] Qty_Redial     extra dial attempts (0-99)
//   [DialUp] Backend        "nmcli" (default) or "simulated"
//   [DialUp] SimulatedModem state file of the simulated modem; a bare name
//                           is in the installation directory (default SimModem.ini)
//   [DialUp] DialWait       seconds a dial may take with nmcli (1-600, default 60)
//
// Thread-safety: pure functions of the files they read.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "vtx/platform/DialUp.h"

namespace vtx::linkagent {

inline constexpr int kMaxRedial = 99;

struct DialUpSettings {
    bool inUse = false;
    long time2HangUp = 0;
    std::string connection;
    int redial = 0;
    std::string backend = "nmcli";
    std::string simulatedState;
    int dialWait = 60;
};

// `installDir`: the installation directory (Windows-style or native) that
// holds CORE.INI.
DialUpSettings readDialUpSettings(std::string_view installDir);

// The backend the settings name; nullptr for an unknown backend.
std::unique_ptr<platform::DialUp> openDialUpBackend(const DialUpSettings& settings);

}  // namespace vtx::linkagent
