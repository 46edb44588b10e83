// `LinkAgent LOGIN` beside a running LinkAgent (the service holds the
// single-instance lock): the logon is handed to the running instance the way
// a terminal asks for it, the request "LOGIN|" sent to its listener (the
// address and port of CORE.INI's listen settings; a listener on every
// address is reached on 127.0.0.1). The running instance answers "0002OK"
// and logs the operators on (and fetches the tables) in its own process;
// this one only carries the request.
//
// Thread-safety: pure function (one connection per call).
#pragma once

#include <chrono>
#include <string>

#include "StartupSettings.h"

namespace vtx::linkagent {

struct HandOverResult {
    bool accepted = false;  // the running instance answered "0002OK"
    std::string where;      // "<address>:<port>" of its listener
    std::string detail;     // its answer, or why it could not be reached
};

// Connects, sends the request and waits at most `bound` for the answer.
HandOverResult handOverLogon(const ListenSettings& listen, std::chrono::milliseconds bound);

}  // namespace vtx::linkagent
