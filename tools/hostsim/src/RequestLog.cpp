#include "RequestLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "CardMask.h"
#include "LogText.h"
#include "vtx/platform/AtomicFile.h"

namespace vtx::hostsim {

RequestLog::~RequestLog() {
    if (fd_ >= 0) close(fd_);
}

bool RequestLog::open(const std::string& path, bool raw, std::string& error) {
    // Requests carry card data (in full with --raw): the log is private, also
    // when the file was there before with a wider mode.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC,
                    platform::kPrivateFileMode);
    if (fd >= 0 && fchmod(fd, platform::kPrivateFileMode) != 0) {
        close(fd);
        fd = -1;
    }
    if (fd < 0) {
        error = "cannot open log file " + path + ": " + std::strerror(errno);
        return false;
    }
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
    raw_ = raw;
    return true;
}

void RequestLog::request(std::string_view section, const Request& request,
                         const FrameCodec& codec) {
    if (fd_ < 0) return;
    std::string masked;
    std::string maskedFrame;
    std::string_view message = request.message;
    std::string_view raw = request.raw;
    if (!raw_) {
        masked = vtx::wire::maskCardData(request.message);
        if (masked != request.message) {
            maskedFrame = codec.withMessage(request, masked);
            message = masked;
            raw = maskedFrame;
        }
    }
    std::string lines;
    lines.reserve(section.size() * 2 + raw.size() * 2 + message.size() + 16);
    lines.append(section).append(" RAW ").append(hexBytes(raw)).push_back('\n');
    lines.append(section).append(" MSG ").append(printableText(message)).push_back('\n');
    writeLines(lines);
}

void RequestLog::note(std::string_view section, std::string_view tag, std::string_view text) {
    if (fd_ < 0) return;
    std::string line;
    line.append(section).append(" ").append(tag).append(" ").append(text).push_back('\n');
    writeLines(line);
}

void RequestLog::writeLines(const std::string& lines) {
    std::lock_guard lock(mutex_);
    platform::writeAll(fd_, lines);  // disk full or similar: the log is best effort
}

}  // namespace vtx::hostsim
