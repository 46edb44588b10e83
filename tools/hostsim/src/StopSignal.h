// The process-wide stop request: a flag and an eventfd that becomes readable
// for good once stop is requested, so every poll() that watches fd() wakes at
// once and no thread stays blocked.
//
// Thread-safety: all members may be called from any thread.
#pragma once

#include <atomic>

namespace vtx::hostsim {

class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    bool valid() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    void request();
    bool requested() const { return requested_.load(std::memory_order_acquire); }

    // Waits at least `ms` milliseconds, or until stop is requested. False
    // when stopped.
    bool sleepFor(int ms) const;

private:
    int fd_ = -1;
    std::atomic<bool> requested_{false};
};

}  // namespace vtx::hostsim
