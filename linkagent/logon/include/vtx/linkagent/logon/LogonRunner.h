// The terminal logon of the connection manager: on its own thread, for
// every operator that ListAdm lists, the 0800/0810 exchange that fetches
// the operator's tables into the installation directory (see
// linkagent/logon/logon-messages.md). Started at start-up, by the command
// line "LOGIN" or by a terminal's "LOGIN|" request; at most one runs at a
// time. An operator's tables and its batch number and table version change
// together, when its logon has received everything, or not at all.
//
// Log texts go through the Logger, the logon status through the
// StatusBoard (field Logon), exchanges through the ServerExchange
// (Process_Server, service "ADM").
//
// Thread-safety: every member may be called from any thread, except that
// wait() and the destructor must not be called from the logon thread
// itself (nothing the logon calls back does that). The services must allow
// calls from the logon thread while other threads use them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "vtx/linkagent/AgentServices.h"
#include "vtx/linkagent/logon/EndingSignal.h"
#include "vtx/linkagent/logon/LogonLimits.h"

namespace vtx::linkagent {

class LogonRunner {
public:
    // `installDir`: the installation directory (CORE.INI, the tables), as
    // the configuration names it ("C:\Vantrix") or native.
    LogonRunner(Logger& logger, ConnectionGuard& guard, StatusBoard& status,
                ServerExchange exchange, OperatorLister lister, std::string installDir,
                LogonLimits limits = {});
    // Tells a running logon that the program is ending and waits for it.
    ~LogonRunner();
    LogonRunner(const LogonRunner&) = delete;
    LogonRunner& operator=(const LogonRunner&) = delete;

    // Starts the logon thread. False, with "Trata login iniciada duas
    // vezes." logged, when a logon already runs; false also once the
    // program is ending or when no thread could be started.
    bool startLogon();

    // Blocks until no logon runs (returns at once when none does).
    void wait();
    // As wait(), at most `timeout`; true when no logon runs.
    bool waitFor(std::chrono::milliseconds timeout);

    // The program is ending: a running logon stops after its current
    // exchange (pauses are cut short) and no new one starts.
    void notifyEnding();

    // True from the moment a logon has its connection until it has gone
    // through every operator (the running mark other parts read).
    bool running() const;

    // Completes the tables and marks of a logon that a stopped program left
    // half-installed, and clears away what an unfinished one staged (every
    // logon does this first, too). False, doing nothing, while a logon
    // runs. Call where no other program logs on in the same installation
    // (under the program's single-instance lock).
    bool completeInterrupted();

private:
    void run();
    void logOn();
    void recover() const;

    Logger& logger_;
    ConnectionGuard& guard_;
    StatusBoard& status_;
    ServerExchange exchange_;
    OperatorLister lister_;
    std::string installDir_;
    LogonLimits limits_;
    EndingSignal ending_;

    std::mutex startMutex_;  // serialises startLogon() and the destructor around thread_
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable idle_;
    bool active_ = false;   // the logon guard: a logon thread has been started and not ended
    bool running_ = false;  // the running mark
};

}  // namespace vtx::linkagent
