// The work of one relay thread: read one framed request from a terminal,
// hand it to the host through Process_Server (or start the terminal logon
// for a "LOGIN|" request), send the reply frame back and close.
//
// Waits are bounded: the request must arrive within
// RelayOptions::requestTimeout, a length above kMaxTerminalRequest (or one
// that is not a number) is refused before anything else is read, and the
// ending flag stops a thread that is still waiting for its request.
//
// Thread-safety: serve() runs on the relay thread; one object may serve
// connections on several threads at once (it keeps no state of its own).
#pragma once

#include <atomic>
#include <string>

#include "vtx/linkagent/CSocket.h"
#include "vtx/linkagent/RelayServices.h"

namespace vtx::linkagent {

class RelayConnection {
public:
    RelayConnection(const RelayServices& services, const RelayOptions& options,
                    const std::atomic<bool>& ending)
        : services_(services), options_(options), ending_(ending) {}

    // Serves the accepted connection `socket` to its end and closes it.
    void serve(int socket) const;

    // The bytes to send back for one complete request (empty: send nothing).
    std::string answer(const std::string& request) const;

private:
    // The outcome of one Process_Server call: a reply frame (code 0; empty
    // when nothing is to be sent) or a negative code.
    struct Relayed {
        int code = 0;
        std::string frame;
    };

    bool readRequest(CSocket& socket, std::string& request) const;
    Relayed relay(const std::string& request) const;
    void closeAfterReply(CSocket& socket) const;

    const RelayServices& services_;
    const RelayOptions& options_;
    const std::atomic<bool>& ending_;
};

}  // namespace vtx::linkagent
