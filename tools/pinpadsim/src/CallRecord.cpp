#include "CallRecord.h"

#include <fcntl.h>
#include <unistd.h>

namespace vtx::pinpadsim {

void record(const std::string& file, std::string_view line) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return;
    std::string text(line);
    text += '\n';
    [[maybe_unused]] ssize_t n = ::write(fd, text.data(), text.size());
    ::close(fd);
}

std::string textArg(const char* text) { return text ? std::string(text) : "(null)"; }

}  // namespace vtx::pinpadsim
