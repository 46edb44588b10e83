#include "AgentProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace vtx::linkagent::test {

AgentProcess::AgentProcess(std::vector<std::string> arguments, Environment environment,
                           std::string program)
    : arguments_(std::move(arguments)),
      environment_(std::move(environment)),
      program_(program.empty() ? std::string(VTX_BIN_DIR) + "/LinkAgent" : std::move(program)) {}

namespace {

// This process's environment with `changes` applied ("NAME=value" texts).
std::vector<std::string> environmentWith(const AgentProcess::Environment& changes) {
    std::vector<std::string> entries;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('='));
        const bool changed = std::any_of(changes.begin(), changes.end(),
                                         [&](const auto& c) { return c.first == name; });
        if (!changed) entries.push_back(entry);
    }
    for (const auto& [name, value] : changes) {
        if (!value.empty()) entries.push_back(name + "=" + value);
    }
    return entries;
}

}  // namespace

AgentProcess::~AgentProcess() {
    if (pid_ > 0 && exitStatus_ < 0) {
        ::kill(pid_, SIGKILL);
        waitForExit(std::chrono::seconds(5));
    }
    if (outReader_.joinable()) outReader_.join();
    if (errReader_.joinable()) errReader_.join();
}

bool AgentProcess::start() {
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return false;
    if (::pipe2(err, O_CLOEXEC) != 0) return false;
    const std::string& program = program_;
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (auto& a : arguments_) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> environment = environmentWith(environment_);
    std::vector<char*> envp;
    for (auto& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    if (pid_ < 0) {
        ::close(out[0]);
        ::close(err[0]);
        return false;
    }
    streamsOpen_ = 2;
    outReader_ = std::thread([this, fd = out[0]] { collect(fd, false); });
    errReader_ = std::thread([this, fd = err[0]] { collect(fd, true); });
    return true;
}

void AgentProcess::collect(int fd, bool isError) {
    std::string pending;
    char chunk[4096];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        std::lock_guard lock(mutex_);
        if (isError) {
            errors_.append(chunk, static_cast<size_t>(n));
            continue;
        }
        pending.append(chunk, static_cast<size_t>(n));
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            output_.push_back(pending.substr(0, end));
            pending.erase(0, end + 1);
        }
        changed_.notify_all();
    }
    ::close(fd);
    std::lock_guard lock(mutex_);
    --streamsOpen_;
    changed_.notify_all();
}

bool AgentProcess::waitForLine(const std::string& line, std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, bound, [&] {
        return std::find(output_.begin(), output_.end(), line) != output_.end() ||
               streamsOpen_ == 0;
    }) && std::find(output_.begin(), output_.end(), line) != output_.end();
}

int AgentProcess::waitForExit(std::chrono::milliseconds bound) {
    if (pid_ <= 0) return -1;
    if (exitStatus_ >= 0) return exitStatus_;
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == pid_) {
            exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            if (outReader_.joinable()) outReader_.join();
            if (errReader_.joinable()) errReader_.join();
            return exitStatus_;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
}

int AgentProcess::stop(int signal) {
    if (pid_ > 0 && exitStatus_ < 0) ::kill(pid_, signal);
    return waitForExit();
}

int AgentProcess::port() const {
    std::lock_guard lock(mutex_);
    for (const auto& line : output_)
        if (line.rfind("LISTEN ", 0) == 0) return std::atoi(line.c_str() + 7);
    return 0;
}

std::vector<std::string> AgentProcess::output() const {
    std::lock_guard lock(mutex_);
    return output_;
}

std::string AgentProcess::errors() const {
    std::lock_guard lock(mutex_);
    return errors_;
}

int AgentProcess::count(const std::string& line) const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count(output_.begin(), output_.end(), line));
}

int AgentProcess::waitForCount(const std::string& line, int n, std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    auto counted = [&] {
        return static_cast<int>(std::count(output_.begin(), output_.end(), line));
    };
    changed_.wait_for(lock, bound, [&] { return counted() >= n || streamsOpen_ == 0; });
    return counted();
}

namespace {

int entries(const std::string& folder) {
    std::error_code ec;
    int n = 0;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
        ++n;
    return n;
}

}  // namespace

int AgentProcess::threadCount() const {
    return entries("/proc/" + std::to_string(pid_) + "/task");
}

int AgentProcess::descriptorCount() const {
    return entries("/proc/" + std::to_string(pid_) + "/fd");
}

int freeLoopbackPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) == 0)
        port = ntohs(a.sin_port);
    ::close(fd);
    return port;
}

}  // namespace vtx::linkagent::test
