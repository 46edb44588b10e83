// `LinkAgent --check`: the settings check a technician runs after
// installing. The start-up settings and the listener's settings are read by
// the functions a normal start uses, and the dial-up start-up check is the
// one a start runs; each item is one line on standard output:
//
//   installation directory: C:\Vantrix (/var/lib/vantorix/C/Vantrix) found
//   CORE.INI: C:\Vantrix\CORE.INI (/var/lib/vantorix/C/Vantrix/CORE.INI) found
//   listen: all addresses, port 5002, at most 256 requests at once
//   framing: Data Type N, Len Size 4
//   dial-up: not in use
//   folder interface: off
//   route file VXIFCLI.BIN: present, 3 records
//   check: LinkAgent can start
//
// A setting that stops a start has its message on standard error, as at a
// start, and run() returns the exit status that start would end with (the
// dial-up check comes first, as at a start). Nothing is opened, dialled,
// logged on or locked.
//
// Thread-safety: run() from one thread.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ConsoleOutput.h"
#include "StartupSettings.h"

namespace vtx::linkagent {

class SettingsCheck {
public:
    // `dialUpCheck`: the dial-up start-up check (ProgramParts::startupCheck);
    // empty: not checked.
    SettingsCheck(ConsoleOutput& output, const StartupSettings& settings,
                  std::function<std::optional<std::string>()> dialUpCheck)
        : output_(output), settings_(settings), dialUpCheck_(std::move(dialUpCheck)) {}

    // The lines, then 0 when LinkAgent can start, else the start's status.
    int run();

private:
    void showFiles();
    // The dial-up line; the message that stops a start, if any.
    std::optional<std::string> showDialUp();
    void showFolderInterface();
    void showRouteFile();

    ConsoleOutput& output_;
    const StartupSettings& settings_;
    std::function<std::optional<std::string>()> dialUpCheck_;
};

}  // namespace vtx::linkagent
