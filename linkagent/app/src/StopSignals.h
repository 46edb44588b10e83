// SIGTERM and SIGINT as the program's exit button: the signals are blocked
// in every thread and taken by wait(), so the program closes in order
// (hang up, ending flag, threads joined) rather than being cut off. SIGPIPE
// is ignored: a terminal that goes away is an error of that connection only.
//
// The signals stay blocked for the rest of the process: a second signal that
// arrives while the program closes is not fatal.
//
// Thread-safety: construct it in main() before any thread starts (threads
// inherit the blocked signals); wait() from the main thread.
#pragma once

#include <chrono>

namespace vtx::linkagent {

class StopSignals {
public:
    StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The signal that arrived within `bound`, or 0.
    int wait(std::chrono::milliseconds bound);
};

}  // namespace vtx::linkagent
