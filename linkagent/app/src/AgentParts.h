// The parts of the connection manager, built from the start-up settings and
// wired together: the log, the status fields (standard output, the log, and
// a status window when there is one), dial-up management, the terminal
// logon over the communication library (Process_Server, ListAdm), the FTP
// table download, and the folder interface when CORE.INI turns it on.
//
// programParts() hands them to LinkAgentProgram; the object must outlive
// the program's run.
//
// Thread-safety: build and destroy on the main thread; the parts themselves
// are used from any thread.
#pragma once

#include <memory>
#include <string>

#include "ConsoleOutput.h"
#include "ConsoleStatusBoard.h"
#include "LinkAgentProgram.h"
#include "StartupSettings.h"
#include "vtx/linkagent/AgentLog.h"
#include "vtx/linkagent/DialUpManager.h"
#include "vtx/linkagent/DialUpSettings.h"
#include "vtx/linkagent/download/TableDownload.h"
#include "vtx/linkagent/logon/LogonRunner.h"
#include "vtx/linkagent/shellfile/FolderInterface.h"

namespace vtx::linkagent {

class AgentParts {
public:
    // `window`: the status window's fields, or null without a window.
    // `hooks`: how a dial-up message box is shown and the program closed;
    // an empty hook shows the box on standard error and in the log, and
    // closes the program as SIGTERM does.
    AgentParts(ConsoleOutput& output, const StartupSettings& startup,
               StatusBoard* window = nullptr, DialUpHooks hooks = {});
    AgentParts(const AgentParts&) = delete;
    AgentParts& operator=(const AgentParts&) = delete;

    ProgramParts programParts();

    DialUpManager& dialUp() { return dialUp_; }
    Logger& logger() { return log_; }

private:
    ConsoleOutput& output_;
    AgentLog log_;
    ConsoleStatusBoard status_;
    const DialUpSettings dialUpSettings_;
    DialUpManager dialUp_;
    LogonRunner logon_;
    TableDownload download_;
    // Only when CORE.INI turns the folder interface on.
    std::unique_ptr<FolderInterface> folder_;
};

}  // namespace vtx::linkagent
