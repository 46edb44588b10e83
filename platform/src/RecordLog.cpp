#include "vtx/platform/RecordLog.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <new>

#include "FileOps.h"
#include "vtx/platform/Crc32.h"

namespace vtx::platform {
namespace {

constexpr char kSeparator = '*';
constexpr size_t kCheckDigits = 8;
// A file replaced under an appender this many times in a row is being
// rewritten in a loop by someone else: give up rather than spin.
constexpr int kReopenAttempts = 1000;
constexpr off_t kTailChunk = 4096;

std::string checkText(std::string_view record) {
    char digits[kCheckDigits + 1];
    // Eight hex digits always fit.
    (void)std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(crc32(record)));
    return std::string(digits, kCheckDigits);
}

// The record a line holds, or false when the line is not a whole record.
bool recordOf(std::string_view line, std::string_view& record) {
    if (line.size() < kCheckDigits + 1) return false;
    const size_t star = line.size() - kCheckDigits - 1;
    if (line[star] != kSeparator) return false;
    record = line.substr(0, star);
    return line.substr(star + 1) == checkText(record);
}

// The log file opened and locked, and not replaced between the open and the
// lock. `created`: this open made the file.
struct LockedFile {
    int fd = -1;
    bool created = false;
    int error = 0;
};

LockedFile openLocked(const std::string& path, mode_t mode) {
    LockedFile locked;
    for (int attempt = 0; attempt < kReopenAttempts; ++attempt) {
        int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        bool created = fd >= 0;
        if (fd < 0 && errno == EEXIST) fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
        if (fd < 0) {
            locked.error = errno;
            return locked;
        }
        int rc;
        do rc = ::flock(fd, LOCK_EX);
        while (rc != 0 && errno == EINTR);
        struct stat opened {};
        struct stat named {};
        if (rc != 0 || ::fstat(fd, &opened) != 0) {
            locked.error = errno;
            ::close(fd);
            return locked;
        }
        if (::stat(path.c_str(), &named) == 0 && named.st_ino == opened.st_ino &&
            named.st_dev == opened.st_dev) {
            // A file that existed with a wider mode than its kind allows is
            // closed up to that mode.
            const mode_t permissions = opened.st_mode & 07777;
            if ((permissions & ~mode) != 0) ::fchmod(fd, permissions & mode);
            locked.fd = fd;
            locked.created = created;
            return locked;
        }
        ::close(fd);  // rewritten between our open and our lock: open the new file
    }
    locked.error = EAGAIN;
    return locked;
}

// Cuts a torn last line (one without its "\n") off the file, so that what
// read() already refused to take stays out for good and the next record
// starts on a line of its own. 0 or errno.
int cutTornTail(int fd, off_t size) {
    char last = '\n';
    if (size == 0) return 0;
    if (::pread(fd, &last, 1, size - 1) != 1) return errno != 0 ? errno : EIO;
    if (last == '\n') return 0;
    off_t end = size - 1;  // the byte after the last whole line, once found
    char chunk[kTailChunk];
    while (end > 0) {
        const off_t from = end > kTailChunk ? end - kTailChunk : 0;
        const ssize_t got = ::pread(fd, chunk, static_cast<size_t>(end - from), from);
        if (got != end - from) return errno != 0 ? errno : EIO;
        off_t i = got;
        while (i > 0 && chunk[i - 1] != '\n') --i;
        if (i > 0) {
            end = from + i;
            break;
        }
        end = from;
    }
    return ::ftruncate(fd, end) == 0 ? 0 : errno;
}

}  // namespace

RecordLog::RecordLog(std::string path, mode_t mode) : path_(std::move(path)), mode_(mode) {}

std::string RecordLog::line(std::string_view record) {
    std::string text;
    text.reserve(record.size() + kCheckDigits + 2);
    text.append(record);
    text.push_back(kSeparator);
    text.append(checkText(record));
    text.push_back('\n');
    return text;
}

int RecordLog::append(std::string_view record) {
    if (record.find_first_of("\r\n") != std::string_view::npos) return EINVAL;
    try {
        std::string text = line(record);
        const LockedFile locked = openLocked(path_, mode_);
        if (locked.fd < 0) return locked.error;
        detail::UniqueFd fd(locked.fd);
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0) return errno;
        if (const int err = cutTornTail(fd.get(), st.st_size); err != 0) return err;
        if (const int err = writeAll(fd.get(), text); err != 0) return err;
        if (::fdatasync(fd.get()) != 0) return errno;
        if (locked.created) syncDirectory(detail::dirName(path_));
        return 0;
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
}

RecordLogContent RecordLog::read() const {
    RecordLogContent content;
    int err = 0;
    const std::optional<std::string> bytes = detail::readWholeFile(path_, err);
    if (!bytes) {
        content.missing = err == ENOENT;
        if (!content.missing) content.error = err;
        return content;
    }
    std::string_view rest(*bytes);
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        if (end == std::string_view::npos) {
            ++content.damaged;  // the torn last write
            break;
        }
        std::string_view record;
        if (recordOf(rest.substr(0, end), record)) content.records.emplace_back(record);
        else if (end > 0) ++content.damaged;
        rest.remove_prefix(end + 1);
    }
    return content;
}

int RecordLog::rewrite(const Keep& keep) {
    try {
        const LockedFile locked = openLocked(path_, mode_);
        if (locked.fd < 0) return locked.error;
        detail::UniqueFd fd(locked.fd);
        const RecordLogContent content = read();
        if (content.error != 0) return content.error;
        std::string text;
        for (const std::string& record : keep(content.records)) {
            if (record.find_first_of("\r\n") != std::string::npos) return EINVAL;
            text += line(record);
        }
        return replaceFile(path_, text, FileOptions{mode_, true});
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
}

}  // namespace vtx::platform
