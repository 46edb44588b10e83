#include "HostSimProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Frames.h"

#ifndef VTX_BIN_DIR
#error "VTX_BIN_DIR must name the folder holding vtx-hostsim"
#endif

namespace vtx::hostsim {

bool loopbackPortIsFree(int port) {
    int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool free = ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(s);
    return free;
}

bool claimLoopbackPort(int port) {
    // One lock file per port in a folder every test program on the machine
    // shares (whatever its TMPDIR). flock() is held by the open file, which
    // stays open until the process ends; the kernel drops the lock then,
    // however the process ended.
    static const char* const kClaims = "/tmp/vtx-test-ports";
    static std::mutex claiming;
    static std::vector<int> held;
    const std::lock_guard<std::mutex> lock(claiming);
    if (::mkdir(kClaims, 01777) == 0) ::chmod(kClaims, 01777);
    const std::string path = std::string(kClaims) + "/" + std::to_string(port);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;  // another test program, or this one, holds it
    }
    // A folder that cannot be written leaves the check alone to decide.
    if (fd >= 0) held.push_back(fd);
    return loopbackPortIsFree(port);
}

int freeFourDigitPort() {
    constexpr int kFirst = 5100, kSpan = 9899 - kFirst + 1;
    static std::atomic<int> step{(::getpid() % 400) * 10};
    for (int tries = 0; tries < kSpan; ++tries) {
        const int candidate = kFirst + step.fetch_add(1) % kSpan;
        if (candidate % 1000 != 0 && claimLoopbackPort(candidate)) return candidate;
    }
    return 0;
}
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kStopGrace = std::chrono::seconds(5);
constexpr auto kReapPoll = std::chrono::milliseconds(5);

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Undoes the log's \xHH escapes.
std::string unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
            hexValue(text[i + 2]) >= 0 && hexValue(text[i + 3]) >= 0) {
            out.push_back(static_cast<char>(hexValue(text[i + 2]) * 16 + hexValue(text[i + 3])));
            i += 3;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

}  // namespace

HostSimProcess::HostSimProcess(std::string folder, const std::vector<HostSimPort>& ports)
    : HostSimProcess(std::move(folder), configText(ports)) {}

HostSimProcess::HostSimProcess(std::string folder, std::string configText)
    : folder_(std::move(folder)), config_(std::move(configText)) {}

HostSimProcess::~HostSimProcess() {
    stop();
}

std::string HostSimProcess::configText(const std::vector<HostSimPort>& ports) {
    std::ostringstream out;
    for (const HostSimPort& p : ports) {
        out << "[" << p.section << "]\n"
            << "Port=" << p.port << "\nBind=" << p.bind << "\nFraming=" << p.framing << "\n";
        if (!p.gatewayTpdu.empty()) out << "GatewayTpdu=" << p.gatewayTpdu << "\n";
        out << "Cript=" << p.cript << "\n";
        if (!p.masterKey.empty()) out << "MasterKey=" << p.masterKey << "\n";
        out << "Fault=" << p.fault << "\n";
        if (!p.faultOn.empty()) out << "FaultOn=" << p.faultOn << "\n";
        if (p.faultCount != 0) out << "FaultCount=" << p.faultCount << "\n";
        if (!p.faultMix.empty()) out << "FaultMix=" << p.faultMix << "\n";
        if (p.seed >= 0) out << "Seed=" << p.seed << "\n";
        out << "DelayMs=" << p.delayMs << "\nWorkers=" << p.workers << "\nStatus=" << p.status
            << "\n";
        if (!p.reply.empty()) out << "Reply=" << p.reply << "\n";
        if (!p.logonOperator.empty()) out << "Operator=" << p.logonOperator << "\n";
        if (!p.administrator.empty()) out << "Administrator=" << p.administrator << "\n";
        out << "\n";
    }
    return out.str();
}

bool HostSimProcess::start(std::chrono::milliseconds timeout) {
    if (pid_ > 0) return true;
    error_.clear();
    ports_.clear();
    exitCode_ = -1;
    if (!launch()) return false;
    if (readUntilReady(timeout)) return true;
    stop();
    error_ += "; stderr: " + readFile(stderrPath());
    return false;
}

bool HostSimProcess::launch() {
    {
        std::ofstream out(configPath(), std::ios::binary | std::ios::trunc);
        out << config_;
        if (!out.flush()) {
            error_ = "cannot write " + configPath();
            return false;
        }
    }
    const std::string program = std::string(VTX_BIN_DIR) + "/vtx-hostsim";
    std::vector<std::string> args = {program, "--config", configPath(), "--log", logPath()};
    if (rawLog_) args.push_back("--raw");
    if (!dataFolder_.empty()) {
        args.push_back("--data");
        args.push_back(dataFolder_);
        if (!stationFolder_.empty()) {
            args.push_back("--station-dir");
            args.push_back(stationFolder_);
        }
    }
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        error_ = "pipe failed";
        return false;
    }
    int err = open(stderrPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const pid_t parent = getpid();
    pid_t pid = err >= 0 ? fork() : -1;
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        dup2(out[1], STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    if (err >= 0) close(err);
    if (pid < 0) {
        close(out[0]);
        error_ = "cannot start " + program;
        return false;
    }
    pid_ = pid;
    stdoutFd_ = out[0];
    return true;
}

bool HostSimProcess::readUntilReady(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::string pending;
    while (Clock::now() < deadline) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{stdoutFd_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count()) + 1) <= 0) continue;
        char chunk[512];
        ssize_t n = read(stdoutFd_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            reap(kStopGrace);
            error_ = "vtx-hostsim ended before READY, exit code " + std::to_string(exitCode_);
            return false;
        }
        pending.append(chunk, static_cast<size_t>(n));
        for (size_t eol; (eol = pending.find('\n')) != std::string::npos;) {
            std::string line = pending.substr(0, eol);
            pending.erase(0, eol + 1);
            if (line == "READY") return true;
            size_t space = line.rfind(' ');
            if (line.starts_with("LISTEN ") && space > 7) {
                ports_.emplace_back(line.substr(7, space - 7), std::atoi(line.c_str() + space));
            }
        }
    }
    error_ = "no READY from vtx-hostsim within " + std::to_string(timeout.count()) + " ms";
    return false;
}

bool HostSimProcess::reap(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (pid_ > 0) {
        int status = 0;
        pid_t r = waitpid(pid_, &status, WNOHANG);
        if (r == pid_ || (r < 0 && errno != EINTR)) {
            if (r == pid_ && WIFEXITED(status)) exitCode_ = WEXITSTATUS(status);
            if (r == pid_ && WIFSIGNALED(status)) exitCode_ = 128 + WTERMSIG(status);
            pid_ = -1;
            break;
        }
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kReapPoll);
    }
    return true;
}

int HostSimProcess::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        if (!reap(kStopGrace)) {
            kill(pid_, SIGKILL);
            reap(kStopGrace);
        }
    }
    if (stdoutFd_ >= 0) close(stdoutFd_);
    stdoutFd_ = -1;
    return exitCode_;
}

int HostSimProcess::port(std::string_view section) const {
    for (const auto& [name, number] : ports_) {
        if (name == section) return number;
    }
    return 0;
}

std::vector<std::string> HostSimProcess::logLines() const {
    std::vector<std::string> lines;
    std::istringstream in(readFile(logPath()));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool HostSimProcess::splitLogLine(std::string_view line, std::string& section,
                                  std::string_view& rest) const {
    size_t best = 0;
    for (const auto& entry : ports_) {
        const std::string& name = entry.first;
        if (name.size() >= best && line.size() > name.size() && line.starts_with(name) &&
            line[name.size()] == ' ') {
            section = name;
            best = name.size() + 1;
        }
    }
    if (best == 0) return false;
    rest = line.substr(best);
    return true;
}

std::vector<HostSimRecord> HostSimProcess::records() const {
    std::vector<HostSimRecord> out;
    std::optional<HostSimRecord> pending;
    for (const std::string& line : logLines()) {
        std::string section;
        std::string_view rest;
        if (!splitLogLine(line, section, rest)) continue;
        if (rest.starts_with("RAW ")) {
            auto raw = vtx::wire::hexToBytes(rest.substr(4));
            pending = HostSimRecord{section, raw.value_or(""), ""};
        } else if (rest.starts_with("MSG ") && pending && pending->section == section) {
            pending->message = unescape(rest.substr(4));
            out.push_back(std::move(*pending));
            pending.reset();
        }
    }
    return out;
}

std::vector<std::string> HostSimProcess::stateHistory(std::string_view nsu) const {
    const std::string wanted = "STATE nsu=" + std::string(nsu) + " ";
    std::vector<std::string> history;
    for (const std::string& line : logLines()) {
        std::string section;
        std::string_view rest;
        if (splitLogLine(line, section, rest) && rest.starts_with(wanted))
            history.emplace_back(rest.substr(6));
    }
    return history;
}

std::string HostSimProcess::transactionState(std::string_view nsu) const {
    std::vector<std::string> history = stateHistory(nsu);
    return history.empty() ? std::string() : std::move(history.back());
}

std::vector<HostSimRecord> HostSimProcess::records(std::string_view section) const {
    std::vector<HostSimRecord> out;
    for (HostSimRecord& r : records()) {
        if (r.section == section) out.push_back(std::move(r));
    }
    return out;
}

}  // namespace vtx::hostsim
