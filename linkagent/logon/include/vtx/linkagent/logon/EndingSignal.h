// The program's "ending" flag as the terminal logon sees it: raised once
// when the program closes, and a pause that the flag cuts short, so no
// logon step keeps a closing program waiting.
//
// Thread-safety: every member may be called from any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vtx::linkagent {

class EndingSignal {
public:
    // Raises the flag and wakes every pause; it stays raised.
    void raise();
    bool raised() const;

    // Waits up to `duration` (none when zero or negative). True when the
    // flag is raised, before or during the pause.
    bool sleepFor(std::chrono::milliseconds duration) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable wake_;
    bool raised_ = false;
};

}  // namespace vtx::linkagent
