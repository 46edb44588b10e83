// The connection manager as a program: single instance, start-up settings,
// then either the resident mode (listener and relay threads until SIGTERM or
// SIGINT), or the "LOGIN" command line (log every operator on, then end).
//
// The parts it drives are injected (main.cpp wires the real ones, tests may
// wire their own):
//   logger, guard, status   the shared services (AgentServices.h)
//   exchange                Process_Server of the communication library
//   logon                   start (false when one already runs), wait, and
//                           recover what a stopped logon left
//   download                start the FTP table download (false when one
//                           runs), wait for it
//   dialUp                  hang up, and the listener's idle step
//   folder                  the folder interface (started beside the
//                           listener when CORE.INI turns it on)
//   startupCheck            the dial-up start-up check: the message that
//                           stops the program, or nothing
//   notifyEnding            tells the parts the program is closing (no more
//                           redials, a running logon stops)
//   openWindow              hands the process to the status window program
//   ready                   the listener serves (the window hides itself)
// Any of the functions may be empty: that step is then skipped.
//
// Exit status: 0 closed in order (or the LOGIN run ended, or its logon was
// handed to the running instance); 1 a setting of `TCPIP PORTS` is missing or
// wrong (its message on standard error); 2 another instance runs; 3 the
// listener could not serve (its message on standard error); 4 the dial-up
// start-up check failed (its message on standard error); 5 the
// single-instance lock cannot be made (why, on standard error).
//
// Thread-safety: run() once, from the main thread.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ConsoleOutput.h"
#include "StartupSettings.h"
#include "StopSignals.h"
#include "vtx/linkagent/AgentServices.h"

namespace vtx::linkagent {

struct LogonControl {
    std::function<bool()> start;
    std::function<void()> wait;
    // Completes what a stopped logon left half-installed (at every start).
    std::function<void()> recover;
};

// The folder interface, when CORE.INI turns it on.
struct FolderControl {
    std::function<bool()> start;  // folders made, leftovers taken up, watching
    std::function<void()> notifyEnding;
    std::function<bool(std::chrono::milliseconds)> join;
};

struct DownloadControl {
    std::function<bool()> start;  // false when one runs
    std::function<void()> wait;
};

struct DialUpControl {
    std::function<void()> hangUp;  // hangs up a connection that is up
    std::function<void()> idle;    // status refresh and idle hang-up
};

struct ProgramParts {
    ConsoleOutput& output;
    Logger& logger;
    ConnectionGuard& guard;
    StatusBoard& status;
    ServerExchange exchange;
    LogonControl logon;
    DownloadControl download;
    DialUpControl dialUp;
    std::function<std::optional<std::string>()> startupCheck;
    std::function<void()> notifyEnding;
    // Replaces this process with the status window program, given the
    // arguments after "--window"; returns only when it could not, with why.
    std::function<std::string(const std::vector<std::string>&)> openWindow;
    // The listener serves (after the line "READY").
    std::function<void()> ready;
    FolderControl folder;
};

class LinkAgentProgram {
public:
    static constexpr int kExitOk = 0;
    static constexpr int kExitSettings = 1;
    static constexpr int kExitOtherInstance = 2;
    static constexpr int kExitListener = 3;
    static constexpr int kExitDialUp = 4;
    static constexpr int kExitLock = 5;
    static constexpr const char* kInstanceMutex = "__a___hMutexVeficaAntDialUp__a___";
    static constexpr const char* kCheckOption = "--check";

    // `settings`: the start-up settings, read once by the caller (the parts
    // were built from the same ones).
    LinkAgentProgram(ProgramParts parts, StartupSettings settings, StopSignals& signals,
                     std::atomic<bool>& ending)
        : parts_(std::move(parts)),
          settings_(std::move(settings)),
          signals_(signals),
          ending_(ending) {}

    // `arguments` without the program name: none, "LOGIN" (any case) or
    // anything else (hang up and end); a leading "--window" asks for the
    // status window (openWindow); when it cannot be shown the program says
    // so on standard error and goes on without. "--check" runs the settings
    // check (SettingsCheck) and takes no lock. "LOGIN" while another
    // instance runs hands the logon to it (LogonHandOver): 0 when it
    // accepted, 2 with why on standard error when it could not be reached.
    int run(std::vector<std::string> arguments);

private:
    int runResident();
    int runLogonCommand();
    int handOverLogonCommand();
    // A message box's text: standard error and the log.
    void alert(const std::string& text);
    void hangUp();
    // Tells the parts the program is closing.
    void notifyEnding();

    ProgramParts parts_;
    const StartupSettings settings_;
    StopSignals& signals_;
    std::atomic<bool>& ending_;
};

}  // namespace vtx::linkagent
