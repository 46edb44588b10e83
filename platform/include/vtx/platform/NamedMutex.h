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
    explicit NamedMutex(std::string_view name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // True when this object now holds the mutex; false when another holder
    // has it (or the lock file cannot be made). Does not wait.
    bool tryLock();
    void unlock();
    bool held() const { return fd_ >= 0; }

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace vtx::platform
