#include "vtx/platform/NamedMutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "FileOps.h"
#include "vtx/platform/Paths.h"

namespace vtx::platform {

namespace {

// A name must stay one file inside run/.
std::string lockFileName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c == '/' || c == '\\') c = '_';
    }
    return out + ".lock";
}

}  // namespace

NamedMutex::NamedMutex(std::string_view name)
    : path_(joinPath(joinPath(vtxRoot(), "run"), lockFileName(name))) {}

NamedMutex::~NamedMutex() {
    unlock();
}

bool NamedMutex::tryLock() {
    if (fd_ >= 0) return true;
    try {
        if (!detail::makeDirectories(detail::dirName(path_))) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Each open() is its own open file description, so two objects in one
    // process exclude each other just as two processes do.
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void NamedMutex::unlock() {
    if (fd_ < 0) return;
    ::close(fd_);  // the lock goes with the last descriptor of the file
    fd_ = -1;
}

}  // namespace vtx::platform
