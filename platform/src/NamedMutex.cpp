#include "vtx/platform/NamedMutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "FileOps.h"
#include "vtx/platform/ErrorText.h"
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

NamedMutex::Attempt NamedMutex::unusable(int error) {
    problem_ = "cannot create the lock in " + detail::dirName(path_) + ": " + errorText(error);
    return Attempt::kUnusable;
}

NamedMutex::Attempt NamedMutex::attempt() {
    if (fd_ >= 0) return Attempt::kLocked;
    problem_.clear();
    const std::string folder = detail::dirName(path_);
    try {
        if (!detail::makeDirectories(folder)) {
            // A file where the folder should be fails with EEXIST on the way.
            const int error = errno;
            struct stat st {};
            const bool notFolder = ::stat(folder.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
            return unusable(notFolder ? ENOTDIR : error);
        }
    } catch (const std::bad_alloc&) {
        return unusable(ENOMEM);
    }
    // Each open() is its own open file description, so two objects in one
    // process exclude each other just as two processes do. flock() needs no
    // write access: a lock file left by another user is opened for reading.
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 && errno == EACCES) fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return unusable(errno);
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Attempt::kHeldElsewhere : unusable(error);
    }
    fd_ = fd;
    return Attempt::kLocked;
}

void NamedMutex::unlock() {
    if (fd_ < 0) return;
    ::close(fd_);  // the lock goes with the last descriptor of the file
    fd_ = -1;
}

}  // namespace vtx::platform
