#include "vtx/platform/NamedEvent.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "FileOps.h"
#include "vtx/platform/Paths.h"

namespace vtx::platform {

namespace {

// A name must stay one file inside run/.
std::string eventFileName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c == '/' || c == '\\') c = '_';
    }
    return out + ".event";
}

}  // namespace

NamedEvent::NamedEvent(std::string_view name)
    : path_(joinPath(joinPath(vtxRoot(), "run"), eventFileName(name))) {
    try {
        if (!detail::makeDirectories(detail::dirName(path_))) return;
    } catch (const std::bad_alloc&) {
        return;
    }
    // A new file is empty, which reads as not set.
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
}

NamedEvent::~NamedEvent() {
    if (fd_ >= 0) ::close(fd_);
}

bool NamedEvent::write(char state) {
    if (fd_ < 0) return false;
    ssize_t n;
    do {
        n = ::pwrite(fd_, &state, 1, 0);
    } while (n < 0 && errno == EINTR);
    return n == 1;
}

bool NamedEvent::set() { return write('1'); }

bool NamedEvent::reset() { return write('0'); }

bool NamedEvent::isSet() const {
    if (fd_ < 0) return false;
    char state = '0';
    ssize_t n;
    do {
        n = ::pread(fd_, &state, 1, 0);
    } while (n < 0 && errno == EINTR);
    return n == 1 && state == '1';
}

}  // namespace vtx::platform
