// Stand-in for the program's log until the log of the connection manager
// joins the program: while logging is enabled (`ShellFile`/`LOGENABLE` of
// CORE.INI "true", "1" or "Y", any case), every entry is a line
// "log: <text>" on standard output, card data masked.
//
// Thread-safety: any thread.
#pragma once

#include "ConsoleOutput.h"
#include "vtx/linkagent/AgentServices.h"

namespace vtx::linkagent {

class StandInLogger : public Logger {
public:
    StandInLogger(ConsoleOutput& output, bool enabled) : output_(output), enabled_(enabled) {}
    void log(const std::string& text) override;

    // Whether `LOGENABLE` in the CORE.INI at `coreIni` enables the log.
    static bool enabledIn(const std::string& coreIni);

private:
    ConsoleOutput& output_;
    const bool enabled_;
};

}  // namespace vtx::linkagent
