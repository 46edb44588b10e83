#include "FtpServerProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace vtx::linkagent::test {

FtpServerProcess::FtpServerProcess(std::string home, std::string refusePattern)
    : home_(std::move(home)), refuse_(std::move(refusePattern)) {}

FtpServerProcess::~FtpServerProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool FtpServerProcess::start() {
    int out[2];
    if (::pipe(out) != 0) return false;
    pid_ = ::fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
        ::dup2(out[1], 1);
        // The server's own log (one line per command) stays out of the test's.
        const int quiet = ::open("/dev/null", O_WRONLY);
        if (quiet >= 0) ::dup2(quiet, 2);
        ::close(out[0]);
        ::close(out[1]);
        const char* script = VTX_FTP_SERVER_SCRIPT;
        ::execl("/usr/bin/python3", "python3", script, home_.c_str(), kUser, kPassword,
                refuse_.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    // The server prints its port once it listens: python starts slowly on
    // a loaded machine, hence the generous bound.
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (text.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        pollfd p{out[0], POLLIN, 0};
        if (::poll(&p, 1, 200) <= 0) continue;
        char buffer[64];
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(out[0]);
    if (text.rfind("PORT ", 0) != 0) return false;
    port_ = std::atoi(text.c_str() + 5);
    return port_ > 0;
}

}  // namespace vtx::linkagent::test
