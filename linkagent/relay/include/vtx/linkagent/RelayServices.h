// What the listener and the relay threads use of the rest of the program,
// injected so the relay is built and tested on its own.
//
// Thread-safety: every member is called from the listener and from many
// relay threads at once; the implementations behind them must allow that.
#pragma once

#include <chrono>
#include <functional>

#include "vtx/linkagent/AgentServices.h"
#include "vtx/linkagent/TerminalFrame.h"

namespace vtx::linkagent {

// Starts the terminal logon of every operator; false when one already runs
// (nothing new is started then).
using LogonStarter = std::function<bool()>;

struct RelayServices {
    Logger& logger;
    ConnectionGuard& guard;
    StatusBoard& status;
    ServerExchange exchange;  // Process_Server
    LogonStarter startLogon;
    // Starts the table download unless one runs (may be empty).
    std::function<bool()> startDownload;
};

// How a relay thread reads, answers and lets go of one connection.
struct RelayOptions {
    TerminalFraming framing;
    // The whole request must arrive within this time after the connection is
    // accepted; a terminal that sends nothing or too little is let go.
    std::chrono::milliseconds requestTimeout{10000};
};

}  // namespace vtx::linkagent
