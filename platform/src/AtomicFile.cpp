#include "vtx/platform/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <ctime>
#include <new>

#include "FileOps.h"
#include "vtx/platform/Paths.h"

namespace vtx::platform {

namespace {

constexpr std::string_view kTempSuffix = ".tmp";
// Process ids of this system have at most this many decimal digits.
constexpr size_t kMaxPidDigits = 9;
constexpr size_t kMaxCounterDigits = 20;

std::atomic<unsigned long> gTempCounter{0};

bool allDigits(std::string_view text, size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Splits ".<target>.<pid>.<n>.tmp"; false when `entry` is not so made.
bool parseTemporary(std::string_view entry, std::string_view& target, pid_t& pid) {
    if (entry.size() <= kTempSuffix.size() + 1 || entry.front() != '.' ||
        !entry.ends_with(kTempSuffix))
        return false;
    std::string_view rest = entry.substr(1, entry.size() - 1 - kTempSuffix.size());
    const size_t counterDot = rest.rfind('.');
    if (counterDot == std::string_view::npos ||
        !allDigits(rest.substr(counterDot + 1), kMaxCounterDigits))
        return false;
    rest = rest.substr(0, counterDot);
    const size_t pidDot = rest.rfind('.');
    if (pidDot == std::string_view::npos || pidDot == 0 ||
        !allDigits(rest.substr(pidDot + 1), kMaxPidDigits))
        return false;
    pid = 0;
    for (char c : rest.substr(pidDot + 1)) pid = pid * 10 + (c - '0');
    target = rest.substr(0, pidDot);
    return true;
}

// True for this process and for any process that exists, also one of
// another user (EPERM). Process id 0 is never a writer's.
bool processRunning(pid_t pid) {
    if (pid <= 0) return false;
    if (pid == ::getpid()) return true;
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

// Sets the mode of the new file open at `fd` that is to replace `to`, and
// flushes it when asked. 0 or the errno.
int prepareReplacement(int fd, const std::string& to, const FileOptions& options) {
    removeStaleTemporaries(detail::dirName(to), detail::baseName(to));
    struct stat own {};
    if (::fstat(fd, &own) != 0) return errno;
    struct stat old {};
    const mode_t base = ::stat(to.c_str(), &old) == 0 ? old.st_mode : own.st_mode;
    const mode_t wanted = base & options.mode & 07777;
    if ((own.st_mode & 07777) != wanted && ::fchmod(fd, wanted) != 0) return errno;
    if (options.durable && ::fdatasync(fd) != 0) return errno;
    return 0;
}

int commitReplacement(const std::string& from, const std::string& to, const FileOptions& options) {
    if (::rename(from.c_str(), to.c_str()) != 0) return errno;
    // When both names were links to one file (a second name made for a copy
    // that a killed writer had already put in place), rename() leaves both:
    // the staging name goes, or it would stay for good.
    ::unlink(from.c_str());
    if (options.durable) syncDirectory(detail::dirName(to));
    return 0;
}

}  // namespace

int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;  // would loop for ever
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

void syncDirectory(const std::string& dir) {
    detail::UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) ::fsync(fd.get());
}

std::string temporaryPathFor(const std::string& path) {
    return detail::dirName(path) + "/." + detail::baseName(path) + "." +
           std::to_string(::getpid()) + "." +
           std::to_string(gTempCounter.fetch_add(1, std::memory_order_relaxed)) +
           std::string(kTempSuffix);
}

int replaceFile(const std::string& path, std::string_view content, const FileOptions& options) {
    try {
        const std::string temp = temporaryPathFor(path);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, options.mode);
        if (fd < 0) return errno;
        int error = writeAll(fd, content);
        if (error == 0) error = prepareReplacement(fd, path, options);
        if (::close(fd) != 0 && error == 0) error = errno;
        if (error == 0) error = commitReplacement(temp, path, options);
        if (error != 0) ::unlink(temp.c_str());
        return error;
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
}

bool replaceFileAtomically(const std::string& path, std::string_view content,
                           const FileOptions& options) {
    return replaceFile(path, content, options) == 0;
}

int installFile(const std::string& from, const std::string& to, const FileOptions& options) {
    try {
        const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return errno;
        int error = prepareReplacement(fd, to, options);
        if (::close(fd) != 0 && error == 0) error = errno;
        return error != 0 ? error : commitReplacement(from, to, options);
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
}

size_t removeStaleTemporaries(const std::string& dir, std::string_view namePattern) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (d == nullptr) return 0;
    const int dirFd = ::dirfd(d);
    const time_t now = ::time(nullptr);
    const auto abandonedAge =
        std::chrono::duration_cast<std::chrono::seconds>(kAbandonedTemporaryAge).count();
    size_t removed = 0;
    size_t seen = 0;
    // NOLINTNEXTLINE(concurrency-mt-unsafe): this scan owns its stream
    while (const dirent* e = ::readdir(d)) {
        if (++seen > detail::kMaxScanEntries) break;
        std::string_view target;
        pid_t pid = 0;
        if (!parseTemporary(e->d_name, target, pid) || !wildcardMatch(namePattern, target))
            continue;
        struct stat st {};
        if (::fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        const bool abandoned = now - st.st_mtime >= abandonedAge;
        if ((abandoned || !processRunning(pid)) && ::unlinkat(dirFd, e->d_name, 0) == 0) ++removed;
    }
    ::closedir(d);
    return removed;
}

}  // namespace vtx::platform
