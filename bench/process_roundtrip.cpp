// process_roundtrip: what one request through the communication library costs
// over a bare loopback TCP exchange of the same size.
//
// Bare: connect, send a 300-byte frame, read a 300-byte reply, close, against
// vtx-hostsim (and, for reference, against a trivial in-process server).
// Process: the same frame through Process() against the same vtx-hostsim,
// with the station's settings read afresh and SOCKET.BIN updated on every
// request. Sequentially (bare and Process requests alternate, so drift of the
// machine hits both alike) and with 16 threads; prints requests per second,
// median and p99 latency and the ratio Process / bare.
//
// usage: process_roundtrip [requests-per-thread]   (default 2000, at most 100000)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "HostSimProcess.h"
#include "RouteFile.h"
#include "vtx/platform/IniFile.h"
#include "vx32_cli.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t kFrame = 300;

struct Stats {
    double rps = 0, medianUs = 0, p99Us = 0;
};

Stats summarise(std::vector<double>& us, double seconds) {
    std::sort(us.begin(), us.end());
    Stats s;
    s.rps = static_cast<double>(us.size()) / seconds;
    s.medianUs = us[us.size() / 2];
    s.p99Us = us[std::min(us.size() - 1, us.size() * 99 / 100)];
    return s;
}

bool readAll(int fd, char* p, size_t n) {
    while (n > 0) {
        ssize_t r = ::recv(fd, p, n, 0);
        if (r <= 0) return false;
        p += r;
        n -= static_cast<size_t>(r);
    }
    return true;
}

// A loopback server answering each 300-byte frame with 300 bytes.
class BareServer {
public:
    BareServer() {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(fd_, 512);
        socklen_t len = sizeof a;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        for (int i = 0; i < 32; ++i) workers_.emplace_back([this] { serve(); });
    }
    ~BareServer() {
        stop_ = true;
        ::shutdown(fd_, SHUT_RDWR);
        for (auto& w : workers_) w.join();
        ::close(fd_);
    }
    int port() const { return port_; }

private:
    void serve() {
        std::string reply(kFrame, 'r');
        char buf[kFrame];
        while (!stop_) {
            int c = ::accept(fd_, nullptr, nullptr);
            if (c < 0) return;
            int one = 1;
            ::setsockopt(c, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            if (readAll(c, buf, kFrame)) ::send(c, reply.data(), reply.size(), MSG_NOSIGNAL);
            ::close(c);
        }
    }
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::vector<std::thread> workers_;
};

int freeLowPort() {
    for (int port = 7100; port < 9999; ++port) {
        if (vtx::hostsim::claimLoopbackPort(port)) return port;
    }
    return 0;
}

std::string message();

// One exchange by hand; `frame` is what goes out, `replyLen` what comes back.
double bareExchange(int port, const std::string& frame = std::string(kFrame, 'q'),
                    size_t replyLen = kFrame) {
    auto t0 = Clock::now();
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    char reply[4096];
    bool ok =
        ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::send(s, frame.data(), frame.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(frame.size()) &&
        readAll(s, reply, replyLen);
    ::close(s);
    if (!ok) std::fprintf(stderr, "bare exchange failed\n");
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}

std::string message() {
    std::string m = "000-000=0200;011-000=003000;";
    m.resize(kFrame - 4, 'P');
    return m;
}

double processExchange() {
    static const std::string msg = message();
    char buffer[VX_BUFFER_SIZE];
    std::snprintf(buffer, 5, "%04zu", msg.size());
    std::memcpy(buffer + 4, msg.data(), msg.size());
    auto t0 = Clock::now();
    int r = Process(buffer, "BENCH", "CHK");
    double us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
    if (r != static_cast<int>(kFrame)) {
        std::fprintf(stderr, "Process returned %d (last error %d)\n", r, TefGetLastError());
    }
    return us;
}

template <typename F>
Stats run(int threads, int perThread, F exchange) {
    std::vector<std::vector<double>> lat(static_cast<size_t>(threads));
    auto t0 = Clock::now();
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            lat[static_cast<size_t>(t)].reserve(static_cast<size_t>(perThread));
            for (int i = 0; i < perThread; ++i) lat[static_cast<size_t>(t)].push_back(exchange());
        });
    for (auto& p : pool) p.join();
    double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    std::vector<double> all;
    for (auto& l : lat) all.insert(all.end(), l.begin(), l.end());
    return summarise(all, seconds);
}

void print(const char* name, const Stats& s) {
    std::printf("%-38s %10.0f req/s   median %8.1f us   p99 %8.1f us\n", name, s.rps, s.medianUs,
                s.p99Us);
}

}  // namespace

int main(int argc, char** argv) {
    int perThread = argc > 1 ? std::clamp(std::atoi(argv[1]), 10, 100000) : 2000;
    std::string root =
        std::filesystem::temp_directory_path() / ("vtx-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root + "/hostsim");
    std::filesystem::create_directories(root + "/C/Vantrix");
    ::setenv("VTX_ROOT", root.c_str(), 1);
    ::unsetenv("VTX_WINDIR");

    std::string reply = "000-000=0210;011-000=003000;009-000=00;";
    reply.resize(kFrame - 4, 'R');
    vtx::hostsim::HostSimPort port;
    port.section = "bench";
    port.reply = reply;
    port.workers =
        std::getenv("VTX_BENCH_WORKERS") ? std::atoi(std::getenv("VTX_BENCH_WORKERS")) : 32;
    port.port = freeLowPort();  // route records hold four-digit ports
    vtx::hostsim::HostSimProcess host(root + "/hostsim", {port});
    if (!host.start()) {
        std::fprintf(stderr, "vtx-hostsim did not start: %s\n", host.error().c_str());
        return 1;
    }
    vtx::cli::RouteRecord route;
    route.code = "BENCH";
    route.ip1 = "127.0.0.1";
    route.portChk = route.portAdm = route.portAtt = std::to_string(host.port("bench"));
    route.attempts = "1";
    route.timeout = "10";
    route.cript = "0";
    vtx::platform::replaceFileAtomically(root + "/C/Vantrix/VXIFCLI.BIN",
                                         vtx::cli::encodeRouteRecord(route));
    vtx::platform::iniWriteString("WINVTXCORE.INI", "CORE", "Path Server", "C:\\Vantrix");
    vtx::platform::iniWriteString("C:\\Vantrix\\CORE.INI", "Config", "SOCKETBIN", "0");

    BareServer bare;
    const int bport = bare.port();
    const int hport = host.port("bench");
    const std::string hostFrame = "0296" + message();
    auto bareHost = [&] { return bareExchange(hport, hostFrame, kFrame); };
    auto bareTrivial = [&] { return bareExchange(bport); };
    run(1, 200, bareHost);  // warm-up
    run(1, 200, processExchange);

    std::printf("requests per thread: %d, frame %zu bytes each way\n", perThread, kFrame);
    // Sequential: bare and Process alternate request by request.
    std::vector<double> seqBare, seqProc;
    auto t0 = Clock::now();
    double bareSeconds = 0, procSeconds = 0;
    for (int i = 0; i < perThread; ++i) {
        double b = bareHost();
        double p = processExchange();
        seqBare.push_back(b);
        seqProc.push_back(p);
        bareSeconds += b / 1e6;
        procSeconds += p / 1e6;
    }
    (void)t0;
    Stats bareSeq = summarise(seqBare, bareSeconds);
    Stats procSeq = summarise(seqProc, procSeconds);
    Stats trivialSeq = run(1, perThread, bareTrivial);
    Stats bare16 = run(16, perThread / 4, bareHost);
    Stats proc16 = run(16, perThread / 4, processExchange);
    vtx::platform::iniWriteString("C:\\Vantrix\\CORE.INI", "Config", "SOCKETBIN", "1");
    Stats procTrace = run(1, perThread, processExchange);

    print("bare TCP to vtx-hostsim, sequential", bareSeq);
    print("Process, sequential", procSeq);
    print("bare TCP to vtx-hostsim, 16 threads", bare16);
    print("Process, 16 threads", proc16);
    print("Process, sequential, SOCKETBIN=1", procTrace);
    print("bare TCP to a trivial server, seq.", trivialSeq);
    std::printf("ratio Process/bare (median): sequential %.2f, 16 threads %.2f\n",
                procSeq.medianUs / bareSeq.medianUs, proc16.medianUs / bare16.medianUs);
    std::printf("ratio Process/bare (req/s):  sequential %.2f, 16 threads %.2f\n",
                bareSeq.rps / procSeq.rps, bare16.rps / proc16.rps);
    host.stop();
    if (!std::getenv("VTX_BENCH_KEEP"))
        std::filesystem::remove_all(root);
    else
        std::printf("station kept in %s\n", root.c_str());
    return 0;
}
