// idle_connections: what connections that send nothing cost the shop's
// terminals on LinkAgent. A terminal's request (300 bytes in a TPDU frame,
// relayed through Process_Server to vtx-hostsim and back) is timed, one at a
// time, in three phases:
//   idle        nothing else connected
//   silent      N connections (default 1000) open and sending nothing
//   reconnect   300 silent connections, each opened again at once when
//               LinkAgent lets it go (a client that reconnects for ever)
// and for each prints the requests answered, the failures (no answer within
// 15 s), median, p99 and longest latency, their ratios to the idle ones,
// LinkAgent's threads, resident memory and open descriptors at the end of the
// phase and the processor time it used during the phase. A phase takes at most 20 s (the
// reconnecting one 12 s, longer than the 10-second request deadline).
//
// The descriptor limit is raised to its hard limit first (LinkAgent, started
// by this program, inherits it); the silent connections are opened without
// waiting for LinkAgent to accept them.
//
// usage: idle_connections [silent-connections] [requests-per-phase]
//                         [--max-connections N] [--agent PATH]
//        (defaults 1000 and 300; --max-connections writes MaxConnections to
//        CORE.INI; --agent runs another LinkAgent program, e.g. an older build)
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "HostSimProcess.h"
#include "vtx/platform/SharedLibrary.h"

namespace {

using namespace bench;
using namespace std::chrono_literals;

constexpr size_t kFrame = 300;
constexpr int kReconnecting = 300;
constexpr auto kPhaseBound = 20s;
constexpr auto kReconnectPhase = 12s;
constexpr int kAnswerSeconds = 15;

// The terminal's request: outer length, service, operator, the plain frame.
std::string requestFrame() {
    const std::string message = "000-000=0200;011-000=003000;" + std::string(kFrame - 28, 'P');
    char outer[8], inner[8];
    std::snprintf(outer, sizeof outer, "%04zu", message.size() + 15);
    std::snprintf(inner, sizeof inner, "%04zu", message.size());
    return std::string(outer) + "CHKBENCH   " + inner + message;
}

// One request on a new connection; its latency in microseconds, or nothing
// when no whole reply came within kAnswerSeconds.
std::optional<double> timedRequest(int port) {
    static const std::string frame = requestFrame();
    const auto t0 = Clock::now();
    const int fd = connectLoopback(port);
    if (fd < 0) return std::nullopt;
    timeval limit{kAnswerSeconds, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    char digits[5] = {};
    bool ok = sendAll(fd, frame) && readAll(fd, digits, 4);
    const size_t count = ok ? std::strtoul(digits, nullptr, 10) : 0;
    std::string body(count, '\0');
    ok = ok && count > 15 && readAll(fd, body.data(), count);
    ::close(fd);
    if (!ok) return std::nullopt;
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}

// A loopback connection started without waiting for it to be accepted.
int openSilent(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_in a{AF_INET, htons(static_cast<uint16_t>(port)), {htonl(INADDR_LOOPBACK)}, {}};
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 &&
        errno != EINPROGRESS) {
        ::close(fd);
        return -1;
    }
    return fd;
}

struct Phase {
    explicit Phase(const char* n) : name(n) {}
    const char* name;
    std::vector<double> us;
    int failed = 0;
    long threads = 0, rssKb = 0, descriptors = 0, cpuMs = 0;
};

// Up to `requests` requests, one after the other, within `bound`.
void measure(Phase& phase, int port, int requests, std::chrono::milliseconds bound,
             const Child& agent) {
    const auto until = Clock::now() + bound;
    const long cpu = agent.cpuMillis();
    for (int i = 0; i < requests && Clock::now() < until; ++i) {
        if (std::optional<double> us = timedRequest(port)) {
            phase.us.push_back(*us);
        } else {
            ++phase.failed;
        }
    }
    phase.threads = agent.status("Threads");
    phase.rssKb = agent.status("VmRSS");
    phase.descriptors = agent.descriptors();
    phase.cpuMs = agent.cpuMillis() - cpu;
}

// Keeps `count` silent connections open until `stop`: one LinkAgent closes
// is opened again at once.
void keepReconnecting(int port, int count, const std::atomic<bool>& stop) {
    std::vector<pollfd> fds;
    for (int i = 0; i < count; ++i) fds.push_back({openSilent(port), POLLIN, 0});
    while (!stop.load()) {
        if (::poll(fds.data(), fds.size(), 50) <= 0) continue;
        char byte;
        for (pollfd& p : fds) {
            if (p.revents == 0) continue;
            if (::recv(p.fd, &byte, 1, MSG_DONTWAIT) > 0) continue;
            ::close(p.fd);
            p.fd = openSilent(port);
            p.revents = 0;
        }
    }
    for (pollfd& p : fds) ::close(p.fd);
}

double percentile(std::vector<double> us, int p) {
    if (us.empty()) return 0;
    std::sort(us.begin(), us.end());
    return us[std::min(us.size() - 1, us.size() * static_cast<size_t>(p) / 100)];
}

void print(const std::vector<Phase>& phases) {
    std::printf("%-10s %8s %6s %10s %9s %10s %8s %8s %8s %9s %11s %7s\n", "phase", "answered",
                "failed", "median ms", "p99 ms", "max ms", "median/", "p99/", "threads", "VmRSS kB",
                "descriptors", "CPU ms");
    const double idleMedian = percentile(phases.front().us, 50);
    const double idleP99 = percentile(phases.front().us, 99);
    for (const Phase& p : phases) {
        const double median = percentile(p.us, 50), p99 = percentile(p.us, 99);
        std::printf("%-10s %8zu %6d %10.2f %9.2f %10.2f %7.2fx %7.2fx %8ld %9ld %11ld %7ld\n",
                    p.name, p.us.size(), p.failed, median / 1000, p99 / 1000,
                    percentile(p.us, 100) / 1000, idleMedian > 0 ? median / idleMedian : 0.0,
                    idleP99 > 0 ? p99 / idleP99 : 0.0, p.threads, p.rssKb, p.descriptors, p.cpuMs);
    }
    std::printf("(median/, p99/: ratio to the idle phase's)\n");
}

}  // namespace

int main(int argc, char** argv) {
    int silent = 1000, requests = 300, maxConnections = 0;
    std::string agentProgram = vtx::platform::programDirectory() + "/LinkAgent";
    for (int i = 1, plain = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--max-connections") == 0 && i + 1 < argc) {
            maxConnections = std::clamp(std::atoi(argv[++i]), 1, 4096);
        } else if (std::strcmp(argv[i], "--agent") == 0 && i + 1 < argc) {
            agentProgram = argv[++i];
        } else if (plain++ == 0) {
            silent = std::clamp(std::atoi(argv[i]), 1, 20000);
        } else {
            requests = std::clamp(std::atoi(argv[i]), 10, 100000);
        }
    }
    ::signal(SIGPIPE, SIG_IGN);
    const long limit = raiseDescriptorLimit();
    if (limit > 0 && silent + 64 > limit) silent = static_cast<int>(limit - 64);

    const std::string root =
        std::filesystem::temp_directory_path() / ("vtx-idle-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root + "/hostsim");
    ::setenv("VTX_ROOT", root.c_str(), 1);
    ::unsetenv("VTX_WINDIR");
    vtx::hostsim::HostSimPort hostPort;
    hostPort.section = "plain";
    hostPort.port = freeLowPort(7100);
    hostPort.reply = "000-000=0210;011-000=003000;009-000=00;" + std::string(kFrame - 43, 'R');
    vtx::hostsim::HostSimProcess host(root + "/hostsim", {hostPort});
    if (!host.start()) {
        std::fprintf(stderr, "vtx-hostsim did not start: %s\n", host.error().c_str());
        return 1;
    }
    const int port = freeLowPort(8100);
    std::vector<std::vector<std::string>> extra;
    if (maxConnections > 0)
        extra.push_back({"TCPIP PORTS", "MaxConnections", std::to_string(maxConnections)});
    writeAgentStation(root, host.port("plain"), port, extra);
    Child agent({agentProgram});
    if (!agent.waitForPort(port)) {
        std::fprintf(stderr, "LinkAgent did not start\n");
        return 1;
    }
    for (int i = 0; i < 20; ++i) timedRequest(port);  // warm-up

    std::vector<Phase> phases{Phase("idle"), Phase("silent"), Phase("reconnect")};
    measure(phases[0], port, requests, kPhaseBound, agent);

    std::vector<int> open;
    for (int i = 0; i < silent; ++i) open.push_back(openSilent(port));
    // The phase begins once LinkAgent holds them all, or after 3 s (a relay
    // thread for each connection takes no more than its bound).
    const long before = phases[0].descriptors;
    const long wanted = before + silent;
    for (const auto until = Clock::now() + 3s;
         agent.descriptors() < wanted && Clock::now() < until;)
        std::this_thread::sleep_for(5ms);
    const long held = agent.descriptors() - before;
    measure(phases[1], port, requests, kPhaseBound, agent);
    for (int fd : open) ::close(fd);
    std::this_thread::sleep_for(500ms);  // LinkAgent lets them go

    std::atomic<bool> stop{false};
    std::thread reconnecting(keepReconnecting, port, kReconnecting, std::cref(stop));
    measure(phases[2], port, 1000000, kReconnectPhase, agent);
    stop = true;
    reconnecting.join();

    std::printf(
        "LinkAgent %s%s; %d silent connections (LinkAgent held %ld when the phase "
        "began); descriptor limit %ld\n",
        agentProgram.c_str(),
        maxConnections ? (", MaxConnections " + std::to_string(maxConnections)).c_str() : "",
        silent, held, limit);
    print(phases);
    host.stop();
    if (!std::getenv("VTX_BENCH_KEEP")) std::filesystem::remove_all(root);
    return 0;
}
