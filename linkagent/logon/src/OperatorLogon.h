// The logon of one operator: a series of 0800 requests through the
// exchange (service "ADM"), each 0810 answer carrying the host's batch
// number, table version and continuation and a piece of a table file,
// until an answer names no file. The pieces are assembled and staged
// (TableAssembler); when the answer naming no file has come, the tables
// are installed and the last batch number and table version written to
// CORE.INI together (LogonCommit). A logon that ends any other way leaves
// the station's tables and marks as they were, so the next one asks again.
// Log texts and logon status are the station's (see logon-messages.md for
// the bytes).
//
// Outcomes: finished; invalid answer; exchange error (negative result);
// file error (temporary file, install, marks); program ending; too many
// answers. None of them stops the logon of the next operator.
//
// Thread-safety: used by the logon thread only; the services it is given
// must allow calls from that thread.
#pragma once

#include <chrono>
#include <string>

#include "LogonStore.h"
#include "vtx/linkagent/AgentServices.h"
#include "vtx/linkagent/logon/EndingSignal.h"
#include "vtx/linkagent/logon/LogonLimits.h"

namespace vtx::linkagent::logon {

enum class LogonOutcome {
    kFinished,
    kInvalidAnswer,
    kExchangeFailed,
    kFileFailed,
    kEnding,
    kTooLong
};

// What every operator logon of one run shares.
struct LogonContext {
    Logger& logger;
    ConnectionGuard& guard;
    StatusBoard& status;
    const ServerExchange& exchange;
    const EndingSignal& ending;
    LogonLimits limits;
    std::string installDir;  // native
    LogonStore store;
    std::string establishment;
    std::chrono::milliseconds delay{0};
};

class OperatorLogon {
public:
    explicit OperatorLogon(LogonContext& context) : context_(context) {}

    // Logs `code` on; `code` is an operator code cut at its first blank.
    LogonOutcome run(const std::string& code);

private:
    void waitForDialUp();
    // Shows "Finalizando Login" in the logon status.
    void finishing();
    LogonOutcome ending();

    LogonContext& context_;
};

}  // namespace vtx::linkagent::logon
