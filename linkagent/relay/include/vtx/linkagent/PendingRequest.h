// One terminal connection whose request is still arriving: its length field
// (TerminalFrame.h), then the bytes the length announces, read from the
// socket as they come and never past the request. An impossible length (not
// a number, 0, or above kMaxTerminalRequest) is refused before anything more
// is read. The socket is not owned: whoever holds the object closes it.
//
// Thread-safety: one thread at a time (the listener's).
#pragma once

#include <chrono>
#include <string>

#include "vtx/linkagent/TerminalFrame.h"

namespace vtx::linkagent {

// A whole request and the connection it came on, for a relay thread.
struct ArrivedRequest {
    int socket = -1;
    std::string length;   // the length field as it may be logged
    std::string request;  // route and plain frame, or the logon text
};

class PendingRequest {
public:
    using Clock = std::chrono::steady_clock;

    enum class Progress {
        kWaiting,  // more is to come
        kWhole,    // take() has the request
        kRefused,  // the length is impossible
        kBroken    // the peer closed or the socket failed
    };

    PendingRequest(int socket, const TerminalFraming& framing, Clock::time_point deadline);

    // Reads what has arrived, without waiting.
    Progress read();

    int socket() const { return socket_; }
    Clock::time_point deadline() const { return deadline_; }
    // True once the length field is whole (the body is arriving).
    bool lengthRead() const { return count_ != 0; }
    // The length field as it may appear in the log: digits and blanks as
    // received, anything else as "?" (a binary length in decimal).
    std::string lengthShown() const;

    // The whole request with its connection (after kWhole).
    ArrivedRequest take();

private:
    int socket_;
    TerminalFraming framing_;
    Clock::time_point deadline_;
    std::string field_;    // the length field so far
    std::string request_;  // the body so far
    size_t count_ = 0;     // the body's length, once the field is whole
};

}  // namespace vtx::linkagent
