// A named, machine-wide mutex for single-instance programs.
//
// Named objects belong to the VTX_ROOT: the mutex is an advisory lock on
// $VTX_ROOT/run/<name>.lock, so each root behaves as its own machine. The lock
// is released when the object is destroyed or the process ends (even by a
// crash), so a stale lock never blocks a restart.
//
// Thread-safety: one object per owner; distinct objects of the same name
// exclude each other, within a process too.
#pragma once

#include <string>
#include <string_view>

namespace vtx::platform {

class NamedMutex {
public:
    enum class Attempt {
        kLocked,         // this object holds the mutex
        kHeldElsewhere,  // another holder has it
        kUnusable        // the lock file cannot be made or locked: see problem()
    };

    explicit NamedMutex(std::string_view name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // Tries to take the mutex; does not wait. A lock file that exists but may
    // only be read (made by another user) still serves.
    Attempt attempt();
    // True when this object now holds the mutex (attempt() gave kLocked).
    bool tryLock() { return attempt() == Attempt::kLocked; }
    void unlock();
    bool held() const { return fd_ >= 0; }

    // After kUnusable: "cannot create the lock in <folder>: <reason>";
    // empty otherwise.
    const std::string& problem() const { return problem_; }

private:
    Attempt unusable(int error);

    std::string path_;
    std::string problem_;
    int fd_ = -1;
};

}  // namespace vtx::platform
