// Waiting on one descriptor with poll(), bounded by a deadline: the one wait
// loop under every socket wait of the communication library and the
// connection manager.
//
// A signal does not end the wait early (poll is resumed with what is left),
// and a time-out is reported only once the deadline has passed: the time left
// is rounded up, never down, when it is handed to the kernel.
//
// Thread-safety: any thread; each call works on the descriptor it is given.
#pragma once

#include <chrono>

namespace vtx::platform {

using PollClock = std::chrono::steady_clock;

// Waits until `fd` reports one of `events` or `deadline` passes. Returns >0
// when ready, 0 on time-out, <0 on error with errno set (EBADF for a
// descriptor that is not open). A deadline already past polls once without
// waiting.
int pollUntil(int fd, short events, PollClock::time_point deadline);

// As pollUntil, with the deadline `timeout` from now (a negative timeout
// counts as zero).
int pollFor(int fd, short events, std::chrono::nanoseconds timeout);

}  // namespace vtx::platform
