// replaceFileAtomically(): declared in IniFile.h, usable for any file.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <new>

#include "FileOps.h"
#include "vtx/platform/IniFile.h"

namespace vtx::platform {

namespace {

std::atomic<unsigned long> gTempCounter{0};

bool writeAll(int fd, std::string_view content) {
    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// Makes the rename itself durable.
void syncDirectory(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool replaceFileAtomically(const std::string& path, std::string_view content, bool durable) {
    try {
        std::string dir = detail::dirName(path);
        std::string tmp =
            dir + "/." + detail::baseName(path) + "." + std::to_string(::getpid()) + "." +
            std::to_string(gTempCounter.fetch_add(1, std::memory_order_relaxed)) + ".tmp";
        int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) return false;

        // A replaced file keeps its permissions.
        struct stat old {};
        if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);

        bool ok = writeAll(fd, content);
        if (ok && durable) ok = ::fdatasync(fd) == 0;
        if (::close(fd) != 0) ok = false;
        if (ok) ok = ::rename(tmp.c_str(), path.c_str()) == 0;
        if (!ok) {
            ::unlink(tmp.c_str());
            return false;
        }
        if (durable) syncDirectory(dir);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace vtx::platform
