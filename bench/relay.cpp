// relay: what the connection manager's relay costs a terminal, against the
// floor for any relay and a generic one, in one run. A terminal (Process with
// access type 2, in this process) sends a 300-byte request and gets a
// 300-byte reply by four roads (each with a terminal station of its own,
// chosen by VTX_ROOT):
//   direct        Process straight to vtx-hostsim (its TPDU port)
//   minimal relay a thread-per-connection relay written here: accept, read
//                 the frame, one connection to the host, forward, reply,
//                 close; run as a process of its own (this program started
//                 with --minimal-relay), as every relay is one
//   LinkAgent     the program, relaying through Process_Server
//   socat         a generic byte relay to vtx-hostsim's TPDU port
// Sequentially (the relays and the direct road take turns request by
// request; socat alone) and with 64 terminals at once (in rounds), so drift
// of the machine hits all alike. Prints requests per second, median and p99
// latency, errors, ratios to the minimal relay, and LinkAgent's resident
// memory idle and with 64 and 256 open connections.
//
// usage: relay [sequential-requests] [requests-per-terminal]
//        (defaults 1000 per road and 64; socat is skipped when not installed)
//        relay --minimal-relay PORT HOST-PORT   (the minimal relay alone)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "HostSimProcess.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/SharedLibrary.h"
#include "vx32_cli.h"

namespace {

using namespace bench;
constexpr size_t kFrame = 300;
constexpr int kTerminals = 64;
constexpr int kRounds = 8;
constexpr const char* kCore = "C:\\Vantrix\\CORE.INI";
constexpr std::chrono::milliseconds kStep{20};

// The floor for any relay, for one connection: no settings, no status, no
// log; forwards the plain frame inside the terminal's TPDU frame.
void relayOne(int terminal, int hostPort) {
    char digits[5] = {};
    if (!readAll(terminal, digits, 4)) return;
    size_t count = std::strtoul(digits, nullptr, 10);
    if (count < 15 || count > 3087) return;
    std::string request(count, '\0');
    if (!readAll(terminal, request.data(), count)) return;
    int host = connectLoopback(hostPort);
    if (host < 0) return;
    char reply[4 + 3072];
    bool ok = sendAll(host, request.substr(11)) && readAll(host, reply, 4);
    size_t length = ok ? std::strtoul(std::string(reply, 4).c_str(), nullptr, 10) : 0;
    ok = ok && length <= 3072 && readAll(host, reply + 4, length);
    ::close(host);
    if (!ok) return;
    char outer[8];
    std::snprintf(outer, sizeof outer, "%04zu", 15 + length);
    sendAll(terminal, outer + request.substr(0, 11) + std::string(reply, 4 + length));
}

// One road, with the station of the terminals that take it: their CORE.INI
// points LOCAL at the road's port. Switching VTX_ROOT between these stations
// switches the road from one request to the next.
struct Road {
    Road(const char* n, int p) : name(n), port(p) {}
    const char* name;
    int port;
    std::string terminalRoot;
    std::vector<double> seqUs, concUs;
    double seqSeconds = 0, concSeconds = 0;
    std::atomic<int> errors{0};
    int seqErrors = 0, concErrors = 0;
};

double exchange(Road& road) {
    static const std::string msg = "000-000=0200;011-000=003000;" + std::string(kFrame - 32, 'P');
    char buffer[VX_BUFFER_SIZE];
    std::snprintf(buffer, 5, "%04zu", msg.size());
    std::memcpy(buffer + 4, msg.data(), msg.size());
    auto t0 = Clock::now();
    int r = Process(buffer, "BENCH", "CHK");
    double us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
    if (r != static_cast<int>(kFrame)) ++road.errors;
    return us;
}

// The terminal's station for `road` (VTX_ROOT is left pointing at it).
void writeTerminalStation(Road& road, const std::string& folder) {
    road.terminalRoot = folder;
    std::filesystem::create_directories(folder + "/C/Vantrix");
    ::setenv("VTX_ROOT", folder.c_str(), 1);
    // The operator table (name in 0-19, code in 20-27).
    vtx::platform::replaceFileAtomically(folder + "/C/Vantrix/VXTb_opr.txt",
                                         "BENCH               BENCH   \r\n");
    vtx::platform::iniWriteString("WINVTXCORE.INI", "CORE", "Path Server", "C:\\Vantrix");
    vtx::platform::iniWrite(kCore, {{"Config", "SOCKETBIN", "0"},
                                    {"Config", "ACESS_TYPE", "2"},
                                    {"LOCAL", "Address", "127.0.0.1"},
                                    {"LOCAL", "Port", std::to_string(road.port)},
                                    {"LOCAL", "TimeOut", "10"}});
}

// Only while no terminal thread runs: the environment is process-wide.
void takeRoad(const Road& road) {
    ::setenv("VTX_ROOT", road.terminalRoot.c_str(), 1);
}

// One request on each road in turn, the order rotating, so drift of the
// machine and what one road leaves behind (a process or thread ending) hit
// all roads alike.
void runSequential(Road* roads, int count, int requests) {
    for (int i = 0; i < requests; ++i)
        for (int k = 0; k < count; ++k) {
            Road& road = roads[(i + k) % count];
            takeRoad(road);
            double us = exchange(road);
            road.seqUs.push_back(us);
            road.seqSeconds += us / 1e6;
        }
}

void runConcurrent(Road& road, int perTerminal) {
    std::vector<std::vector<double>> lat(kTerminals);
    auto t0 = Clock::now();
    std::vector<std::thread> pool;
    for (int t = 0; t < kTerminals; ++t)
        pool.emplace_back([&, t] {
            for (int i = 0; i < perTerminal; ++i) lat[static_cast<size_t>(t)].push_back(exchange(road));
        });
    for (auto& p : pool) p.join();
    road.concSeconds += std::chrono::duration<double>(Clock::now() - t0).count();
    for (auto& l : lat) road.concUs.insert(road.concUs.end(), l.begin(), l.end());
}

struct Stats {
    double rps = 0, median = 0, p99 = 0;
};

Stats summarise(std::vector<double> us, double seconds) {
    Stats s;
    if (us.empty()) return s;
    std::sort(us.begin(), us.end());
    s.rps = static_cast<double>(us.size()) / seconds;
    s.median = us[us.size() / 2];
    s.p99 = us[std::min(us.size() - 1, us.size() * 99 / 100)];
    return s;
}

void printTable(Road* roads, int count) {
    std::printf("%-22s %-10s %10s %10s %10s %7s %8s %8s\n", "road", "terminals", "req/s",
                "median us", "p99 us", "errors", "median/", "req/s/");
    const Stats floor[2] = {summarise(roads[1].seqUs, roads[1].seqSeconds),
                            summarise(roads[1].concUs, roads[1].concSeconds)};
    for (int r = 0; r < count; ++r)
        for (int conc : {0, 1}) {
            Stats s = conc ? summarise(roads[r].concUs, roads[r].concSeconds)
                           : summarise(roads[r].seqUs, roads[r].seqSeconds);
            std::printf("%-22s %-10s %10.0f %10.1f %10.1f %7d %7.2fx %7.2fx\n", roads[r].name,
                        conc ? "64" : "1", s.rps, s.median, s.p99,
                        conc ? roads[r].concErrors : roads[r].seqErrors,
                        s.median / floor[conc].median, s.rps / floor[conc].rps);
        }
}

// LinkAgent's resident memory and threads with `count` idle connections open.
void reportMemory(const Child& agent, int port) {
    std::printf("LinkAgent idle: VmRSS %ld kB, %ld threads\n", agent.status("VmRSS"),
                agent.status("Threads"));
    const long idleDescriptors = agent.descriptors();
    std::vector<int> open;
    for (int target : {64, 256}) {
        while (static_cast<int>(open.size()) < target) open.push_back(connectLoopback(port));
        // Until LinkAgent has accepted them all.
        for (int i = 0; i < 200 && agent.descriptors() < idleDescriptors + target; ++i)
            std::this_thread::sleep_for(kStep);
        std::printf("LinkAgent with %3d open connections: VmRSS %ld kB, %ld threads\n", target,
                    agent.status("VmRSS"), agent.status("Threads"));
    }
    for (int fd : open) ::close(fd);
}

// The minimal relay as a process, until SIGTERM. Its threads get the small
// stack LinkAgent's relay threads have.
int runMinimalRelay(int port, int hostPort) {
    pthread_attr_t small;
    pthread_attr_init(&small);
    pthread_attr_setstacksize(&small, 256 * 1024);
    pthread_setattr_default_np(&small);
    sigset_t stop;
    sigfillset(&stop);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{AF_INET, htons(static_cast<uint16_t>(port)), {htonl(INADDR_LOOPBACK)}, {}};
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 128) != 0)
        return 1;
    std::thread([fd, hostPort] {
        for (;;) {  // one thread per connection
            int c = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (c >= 0) std::thread([c, hostPort] { relayOne(c, hostPort), ::close(c); }).detach();
        }
    }).detach();
    for (int signal = 0; signal != SIGTERM && signal != SIGINT;) sigwait(&stop, &signal);
    std::_Exit(0);  // the relay threads end with the process
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--minimal-relay") == 0)
        return runMinimalRelay(std::atoi(argv[2]), std::atoi(argv[3]));
    const int sequential = argc > 1 ? std::clamp(std::atoi(argv[1]), 10, 100000) : 1000;
    const int perTerminal = argc > 2 ? std::clamp(std::atoi(argv[2]), 8, 10000) : 64;
    ::signal(SIGPIPE, SIG_IGN);
    const std::string root =
        std::filesystem::temp_directory_path() / ("vtx-relay-bench-" + std::to_string(::getpid()));
    for (const char* dir : {"/hostsim", "/C/Vantrix"})
        std::filesystem::create_directories(root + dir);
    ::setenv("VTX_ROOT", root.c_str(), 1);
    ::unsetenv("VTX_WINDIR");

    const std::string reply =
        "000-000=0210;011-000=003000;009-000=00;" + std::string(kFrame - 43, 'R');
    auto hostPort = [&](const char* section, int port, const char* framing) {
        vtx::hostsim::HostSimPort p;
        p.section = section;
        p.port = port;
        p.framing = framing;
        p.reply = reply;
        p.workers = 256;
        return p;
    };
    const int plainPort = freeLowPort(7100);  // route records hold four-digit ports
    vtx::hostsim::HostSimProcess host(root + "/hostsim",
                                      {hostPort("plain", plainPort, "plain"),
                                       hostPort("gateway", freeLowPort(plainPort + 1), "tpdu")});
    if (!host.start()) {
        std::fprintf(stderr, "vtx-hostsim did not start: %s\n", host.error().c_str());
        return 1;
    }
    const int agentPort = freeLowPort(8100);
    writeAgentStation(root, host.port("plain"), agentPort);
    Child agent({vtx::platform::programDirectory() + "/LinkAgent"});
    const int minimalPort = freeLowPort(agentPort + 1);
    Child minimal({"/proc/self/exe", "--minimal-relay", std::to_string(minimalPort),
                   std::to_string(host.port("plain"))});
    if (!agent.waitForPort(agentPort) || !minimal.waitForPort(minimalPort)) {
        std::fprintf(stderr, "LinkAgent or the minimal relay did not start\n");
        return 1;
    }
    const int socatPort = freeLowPort(minimalPort + 1);
    const bool haveSocat = std::filesystem::exists("/usr/bin/socat");
    std::unique_ptr<Child> socat;
    if (haveSocat) {
        socat = std::make_unique<Child>(std::vector<std::string>{
            "/usr/bin/socat",
            "TCP-LISTEN:" + std::to_string(socatPort) +
                ",bind=127.0.0.1,reuseaddr,fork,backlog=128",
            "TCP:127.0.0.1:" + std::to_string(host.port("gateway")) + ",nodelay"});
        if (!socat->waitForPort(socatPort)) std::fprintf(stderr, "socat did not start\n");
    }

    Road roads[4] = {Road("direct to vtx-hostsim", host.port("gateway")),
                     Road("minimal relay", minimalPort), Road("LinkAgent", agentPort),
                     Road("socat", socatPort)};
    const int roadCount = haveSocat ? 4 : 3;
    for (int r = 0; r < roadCount; ++r)
        writeTerminalStation(roads[r], root + "/terminal" + std::to_string(r));
    std::this_thread::sleep_for(std::chrono::milliseconds(250));  // the files settle
    for (int r = 0; r < roadCount; ++r) {
        takeRoad(roads[r]);
        for (int i = 0; i < 20; ++i) exchange(roads[r]);  // warm-up
        roads[r].errors = 0;
    }

    // socat's process per connection would weigh on the road after it: it
    // runs alone.
    runSequential(roads, 3, sequential);
    if (haveSocat) runSequential(roads + 3, 1, sequential);
    for (int r = 0; r < roadCount; ++r) roads[r].seqErrors = roads[r].errors.exchange(0);
    // With many terminals the roads take turns in rounds.
    for (int round = 0; round < kRounds; ++round)
        for (int r = 0; r < roadCount; ++r) {
            takeRoad(roads[r]);
            runConcurrent(roads[r], perTerminal / kRounds);
            roads[r].concErrors += roads[r].errors.exchange(0);
        }

    std::printf("%d sequential requests per road, %d terminals x %d requests, %zu bytes each way\n",
                sequential, kTerminals, perTerminal / kRounds * kRounds, kFrame);
    printTable(roads, roadCount);
    std::printf("(median/ and req/s/: ratio to the minimal relay with the same terminals)\n");
    if (!haveSocat) std::printf("socat not installed (scripts/setup): skipped\n");
    reportMemory(agent, agentPort);

    socat.reset();
    host.stop();
    if (!std::getenv("VTX_BENCH_KEEP")) std::filesystem::remove_all(root);
    return 0;
}
