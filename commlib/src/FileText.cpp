#include "FileText.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace vx::cli {

std::optional<std::string> readWholeFile(const std::string& path, size_t maxBytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string content;
    char chunk[8192];
    while (content.size() < maxBytes) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        content.append(chunk, static_cast<size_t>(n));
    }
    ::close(fd);
    if (content.size() > maxBytes) content.resize(maxBytes);
    return content;
}

}  // namespace vx::cli
