#include "TableReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/Crc32.h"

namespace vtx::linkagent::download {
namespace {

// The received bytes are handed to the disk as they come, a few megabytes at
// a time, so the flush that makes the new table durable before it is swapped
// in only waits for the last piece, not for the whole file.
constexpr long long kWriteBackStep = 8LL * 1024 * 1024;

}  // namespace

TableReplacement::TableReplacement(std::string target)
    : target_(std::move(target)), crc_(platform::kCrc32Mpeg2Start) {}

TableReplacement::~TableReplacement() { abandon(); }

bool TableReplacement::open() {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(target_).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    temp_ = platform::temporaryPathFor(target_);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, platform::kPrivateFileMode);
    if (fd_ < 0) {
        error_ = errno;
        temp_.clear();
        return false;
    }
    return true;
}

bool TableReplacement::write(std::string_view piece) {
    if (fd_ < 0) return false;
    const int e = platform::writeAll(fd_, piece);
    if (e != 0) {
        error_ = e;
        return false;
    }
    crc_ = platform::crc32Mpeg2(piece, crc_);
    bytes_ += static_cast<long long>(piece.size());
    if (bytes_ - flushedTo_ >= kWriteBackStep) {
        // Starts the write-back without waiting for it; a failure only
        // leaves more for the final flush.
        ::sync_file_range(fd_, flushedTo_, bytes_ - flushedTo_, SYNC_FILE_RANGE_WRITE);
        flushedTo_ = bytes_;
    }
    return true;
}

bool TableReplacement::commit() {
    if (fd_ < 0) return false;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        error_ = errno;
        abandon();
        return false;
    }
    // The current file becomes the .OLD one by a second name, so the
    // target is never missing.
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0) {
        const std::string old = target_ + ".OLD";
        const std::string link = platform::temporaryPathFor(old);
        // Put in place as a replacement of .OLD, so the links a killed
        // commit left go too.
        const int e = ::link(target_.c_str(), link.c_str()) != 0
                          ? errno
                          : platform::installFile(link, old, {platform::kPrivateFileMode});
        if (e != 0) {
            error_ = e;
            ::unlink(link.c_str());
            abandon();
            return false;
        }
    }
    const int e = platform::installFile(temp_, target_, {platform::kPrivateFileMode, true});
    if (e != 0) {
        error_ = e;
        abandon();
        return false;
    }
    temp_.clear();
    return true;
}

void TableReplacement::abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

}  // namespace vtx::linkagent::download
