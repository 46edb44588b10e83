// The bounds of a terminal logon: every wait and every loop of it ends.
//
// Thread-safety: a plain value.
#pragma once

#include <chrono>

namespace vtx::linkagent {

struct LogonLimits {
    // While dial-up is in use and down, an operator's logon waits in steps
    // of this length for the connection, at most `dialUpSteps` of them;
    // then it tries anyway (and the exchange reports the failure).
    std::chrono::milliseconds dialUpStep{10000};
    int dialUpSteps = 60;
    // Answers one operator's logon takes at most; a host that keeps
    // naming files beyond this ends that operator's logon with an error.
    int maxExchanges = 10000;
    // The pause between exchanges (CORE.INI DELAY_INICIALIZACAO) is cut
    // to this.
    std::chrono::milliseconds maxDelay{60000};
};

}  // namespace vtx::linkagent
