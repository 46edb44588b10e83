#include "AgentParts.h"

#include <signal.h>
#include <unistd.h>

#include "WindowLauncher.h"
#include "vx32_cli.h"

namespace vtx::linkagent {
namespace {

int exchangeWithHost(char* buffer, const char* op, const char* service) {
    return Process_Server(buffer, op, service);
}

// Dial-up message boxes on standard error and in the log unless the window
// shows them; an unrecoverable dial-up failure closes the program the way a
// stop signal does, so the threads still end in order.
DialUpHooks completed(DialUpHooks hooks, ConsoleOutput& output, Logger& log) {
    if (!hooks.messageBox) {
        hooks.messageBox = [&output, &log](const std::string& title, const std::string& text) {
            output.error(title + ": " + text);
            log.log(text);
        };
    }
    if (!hooks.closeProgram) hooks.closeProgram = [] { ::kill(::getpid(), SIGTERM); };
    return hooks;
}

}  // namespace

AgentParts::AgentParts(ConsoleOutput& output, const StartupSettings& startup, StatusBoard* window,
                       DialUpHooks hooks)
    : output_(output),
      log_(startup.pathServer),
      status_(output, log_, window),
      dialUpSettings_(readDialUpSettings(startup.pathServer)),
      dialUp_(dialUpSettings_, openDialUpBackend(dialUpSettings_), status_,
              completed(std::move(hooks), output, log_)),
      logon_(log_, dialUp_, status_, exchangeWithHost, [](char* list) { return ListAdm(list); },
             startup.pathServer),
      download_(log_, dialUp_, status_, startup.pathServer, startup.coreIni) {
    if (startup.folderInterface)
        folder_ = std::make_unique<FolderInterface>(
            log_, dialUp_, status_, [this] { log_.startNewFile(); }, startup.pathServer,
            startup.coreIni);
}

ProgramParts AgentParts::programParts() {
    return ProgramParts{
        output_,
        log_,
        dialUp_,
        status_,
        exchangeWithHost,
        {[this] { return logon_.startLogon(); }, [this] { logon_.wait(); },
         [this] { logon_.completeInterrupted(); }},
        // A terminal's "LOGIN|" starts no second download while one runs.
        {[this] { return !download_.running() && download_.start(); },
         [this] { download_.wait(); }},
        {[this] { dialUp_.hangUp(); },
         [this] {
             dialUp_.refreshStatus();
             dialUp_.hangUpIfIdle();
         }},
        [this]() -> std::optional<std::string> {
            if (auto box = dialUp_.checkStartup()) return box->title + ": " + box->text;
            return std::nullopt;
        },
        [this] {
            dialUp_.setEnding();
            logon_.notifyEnding();
            download_.notifyEnding();
        },
        execWindowProgram,
        {},
        folder_ ? FolderControl{[this] { return folder_->start(); },
                                [this] { folder_->notifyEnding(); },
                                [this](std::chrono::milliseconds bound) { return folder_->join(bound); }}
                : FolderControl{}};
}

}  // namespace vtx::linkagent
