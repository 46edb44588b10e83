// The connection manager's start-up settings, read once: where the station's
// files are (WINVTXCORE.INI in the Windows directory), the CORE.INI keys of
// dial-up, logon and the folder interface, and the listener's keys in
// section `TCPIP PORTS` with the messages that stop the program when one is
// missing or wrong.
//
// Added keys of `TCPIP PORTS` (optional): `ListenAddress`, the one local
// address to listen on (default: all); `MaxConnections`, the most requests
// relayed at once (default 256, 1 to 4096), further connections wait.
//
// Thread-safety: pure functions over the files.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "vtx/linkagent/TerminalFrame.h"

namespace vtx::linkagent {

struct StartupSettings {
    std::string pathServer;        // installation directory, as configured
    std::string pathCore;          // directory of CORE.INI (Path Server when not set)
    std::string coreIni;           // pathCore + "\CORE.INI"
    bool dialUp = false;           // [DialUp] ActiveDialUp starts with "S" or "Y"
    long time2HangUp = 0;          // [DialUp] idle seconds before hanging up
    std::string estabCode;         // [CONFIG] ESTAB_CODE
    long startDelayMs = 0;         // [CONFIG] DELAY_INICIALIZACAO
    long qtyRedial = 0;            // [CONFIG] Qty_Redial
    bool folderInterface = false;  // [TCPIP PORTS] Socket "N" or "0"
};

StartupSettings loadStartupSettings();

struct ListenSettings {
    int port = 0;
    TerminalFraming framing;
    std::string address;  // empty: all local addresses
    size_t maxConnections = 256;
};

inline constexpr size_t kDefaultMaxConnections = 256;
inline constexpr size_t kMostConnections = 4096;

// The listener's settings, or the message (Windows-1252) that ends the
// program: the first missing or wrong key of Port2Listen, Data Type and
// Len Size, in that order.
struct ListenSettingsResult {
    std::optional<ListenSettings> settings;
    std::string error;
};
ListenSettingsResult readListenSettings(const std::string& coreIni);

}  // namespace vtx::linkagent
