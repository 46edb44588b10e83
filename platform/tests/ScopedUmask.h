// Test helper: sets the process's umask for the lifetime of one object and
// puts the old one back when it goes, so a test can check the modes that
// writers give their files under the widest umask (0).
//
// Thread-safety: the umask is process-wide; use it while no other thread
// creates files.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

namespace vtx::test {

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(old_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t old_;
};

// The permission bits of the file at `path` (native), or -1 when it is missing.
inline int permissionsOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

}  // namespace vtx::test
