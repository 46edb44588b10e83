// One accepted client socket: buffered reads bounded by a deadline and by the
// stop signal, and whole writes. The socket is closed with the object.
//
// Thread-safety: used by one worker at a time.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "StopSignal.h"

namespace vtx::hostsim {

class Connection {
public:
    enum class Status { kOk, kClosed, kTimedOut, kStopped, kFailed };

    // Takes ownership of the non-blocking socket `fd`. Reads and writes must
    // be done within `limit` of now.
    Connection(int fd, const StopSignal& stop, std::chrono::milliseconds limit);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Receives until at least `count` bytes are buffered.
    Status fill(size_t count);

    // Every byte received so far.
    std::string_view received() const { return buffer_; }

    // Sends all of `bytes`; false when the peer is gone or time ran out.
    bool writeAll(std::string_view bytes);

private:
    // Waits for `events` on the socket; kOk when they came.
    Status waitFor(short events);

    int fd_;
    const StopSignal& stop_;
    std::chrono::steady_clock::time_point deadline_;
    std::string buffer_;
};

}  // namespace vtx::hostsim
