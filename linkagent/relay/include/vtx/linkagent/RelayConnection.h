// The work of one relay thread: a whole request a terminal sent (read by the
// listener's waiting room, see WaitingRoom) goes to the host through
// Process_Server (or starts the terminal logon for a "LOGIN|" request), the
// reply frame goes back and the connection is closed.
//
// Thread-safety: serve() runs on the relay thread; one object may serve
// connections on several threads at once (it keeps no state of its own).
#pragma once

#include <string>

#include "vtx/linkagent/CSocket.h"
#include "vtx/linkagent/PendingRequest.h"
#include "vtx/linkagent/RelayServices.h"

namespace vtx::linkagent {

class RelayConnection {
public:
    RelayConnection(const RelayServices& services, const RelayOptions& options)
        : services_(services), options_(options) {}

    // Answers `arrived` on its connection and closes it.
    void serve(const ArrivedRequest& arrived) const;

    // The bytes to send back for one complete request (empty: send nothing).
    std::string answer(const std::string& request) const;

private:
    // The outcome of one Process_Server call: a reply frame (code 0; empty
    // when nothing is to be sent) or a negative code.
    struct Relayed {
        int code = 0;
        std::string frame;
    };

    Relayed relay(const std::string& request) const;
    void closeAfterReply(CSocket& socket) const;

    const RelayServices& services_;
    const RelayOptions& options_;
};

}  // namespace vtx::linkagent
