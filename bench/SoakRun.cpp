#include "SoakRun.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "Frames.h"
#include "HostSimProcess.h"
#include "vtx/platform/SharedLibrary.h"
#include "vx32_cli.h"

namespace bench {
namespace {

using namespace std::chrono_literals;

// The host's faults: 40 % of the requests, delays drawn up to 4 s against
// LinkAgent's 3-second wait for the host, so that about a quarter of the
// delayed replies come too late.
constexpr const char* kFaultMix =
    "delay:10,close-before:5,close-middle:5,close-after:5,oversize:5,minus163:5,garbage:5";
constexpr int kDelayMs = 4000;
constexpr int kHostTimeoutSeconds = 3;
constexpr int kRefusedPercent = 5;
// Requests whose terminal hangs up before the answer, after a wait drawn
// up to kLongestPatienceMs (LinkAgent still relays them, and then finds
// the terminal gone).
constexpr int kLeavingPercent = 5;
constexpr int kLongestPatienceMs = 4000;
constexpr size_t kMostPadding = 400;
// Generous bounds: they only decide how long a failing soak takes.
constexpr auto kSettleBound = 60s;
constexpr auto kSampleEvery = 1s;
constexpr int kStartAttempts = 3;

// The host's default reply to a request carrying `token`: what a garbage
// reply is as long as.
size_t answerLength(const std::string& token) {
    return std::string("000-000=0200;011-000=" + token + ";009-000=00;012-000=000000;").size();
}

// LinkAgent's descriptors and threads once they hold still: the same in
// ten looks in a row (the start-up logon and download threads may still
// be ending), or after `bound`.
void waitUntilSteady(const Child& agent, long& descriptors, long& threads,
                     std::chrono::seconds bound) {
    const auto until = Clock::now() + bound;
    for (int same = 0; same < 10 && Clock::now() < until; std::this_thread::sleep_for(200ms)) {
        const long d = agent.descriptors(), t = agent.status("Threads");
        same = d == descriptors && t == threads ? same + 1 : 0;
        descriptors = d;
        threads = t;
    }
}

// Samples LinkAgent every second until stopped.
class Sampler {
public:
    Sampler(const Child& agent, const std::atomic<long>& requests, SoakReport& report,
            const SoakOptions& options)
        : agent_(agent),
          requests_(requests),
          report_(report),
          options_(options),
          start_(Clock::now()),
          thread_([this] { loop(); }) {}
    ~Sampler() { stop(); }

    void stop() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable()) thread_.join();
    }

private:
    void loop() {
        const int every = std::max(1, options_.seconds / 10);
        std::unique_lock lock(mutex_);
        for (int n = 0; !stopping_; ++n) {
            const double at = std::chrono::duration<double>(Clock::now() - start_).count();
            report_.samples.push_back({at, requests_.load(), agent_.status("VmRSS"),
                                       agent_.descriptors(), agent_.status("Threads")});
            if (options_.progress && n % every == 0) {
                const SoakSample& s = report_.samples.back();
                std::fprintf(options_.progress,
                             "%6.0f s %9ld requests  VmRSS %ld kB  %ld fds  %ld threads\n",
                             s.seconds, s.requests, s.rssKb, s.descriptors, s.threads);
                std::fflush(options_.progress);
            }
            wake_.wait_until(lock, start_ + kSampleEvery * (n + 1), [this] { return stopping_; });
        }
    }

    const Child& agent_;
    const std::atomic<long>& requests_;
    SoakReport& report_;
    const SoakOptions& options_;
    const Clock::time_point start_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

// A request whose terminal sends its frame as the library would and hangs
// up after `patienceMs`, reading nothing.
void leaveEarly(int port, const std::string& message, int patienceMs) {
    const int fd = connectLoopback(port);
    if (fd < 0) return;
    sendAll(fd, vtx::wire::tpduFrame("CHK", "SOAK", message));
    std::this_thread::sleep_for(std::chrono::milliseconds(patienceMs));
    ::close(fd);
}

// One terminal: requests until `until`, each with its own token.
std::vector<SoakOutcome> terminal(int number, uint64_t seed, int agentPort, Clock::time_point until,
                                  std::atomic<long>& requests) {
    std::mt19937_64 draw(seed * 1000003u + static_cast<uint64_t>(number));
    std::vector<SoakOutcome> outcomes;
    char buffer[VX_BUFFER_SIZE];
    for (long sequence = 0; sequence == 0 || Clock::now() < until; ++sequence) {
        char token[24];
        std::snprintf(token, sizeof token, "S%03d%06ld", number % 1000, sequence % 1000000);
        const uint64_t road = draw() % 100;
        const bool refused = road < kRefusedPercent;
        const std::string message = "000-000=0200;011-000=" + std::string(token) +
                                    ";090-000=" + std::string(draw() % kMostPadding, 'P') + ";";
        if (road >= 100 - kLeavingPercent) {
            leaveEarly(agentPort, message,
                       static_cast<int>(draw() % static_cast<uint64_t>(kLongestPatienceMs)));
            outcomes.push_back({token, false, 0, "left"});
            ++requests;
            continue;
        }
        std::snprintf(buffer, 5, "%04zu", message.size());
        std::memcpy(buffer + 4, message.data(), message.size());
        const int result = Process(buffer, refused ? "SOAKR" : "SOAK", "CHK");
        const std::string reply =
            result > 0
                ? std::string(buffer, static_cast<size_t>(std::min(result, VX_BUFFER_SIZE - 1)))
                : std::string();
        // A reply cut short may also come through LinkAgent as the framed
        // empty reply "0000".
        const bool framedEmpty = result == 4 && std::memcmp(buffer, "0000", 4) == 0;
        const bool zeroed = std::all_of(buffer + (framedEmpty ? 4 : 0), buffer + VX_BUFFER_SIZE,
                                        [](char c) { return c == '\0'; });
        outcomes.push_back(
            SoakReport::classify(token, refused, result, reply, answerLength(token), zeroed));
        ++requests;
    }
    return outcomes;
}

}  // namespace

SoakReport SoakRun::run() {
    SoakReport report;
    report.seed = options_.seed;
    report.terminals = options_.terminals;
    const std::string root =
        std::filesystem::temp_directory_path() / ("vtx-soak-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root + "/hostsim");
    ::setenv("VTX_ROOT", root.c_str(), 1);
    ::unsetenv("VTX_WINDIR");

    // A free port may be taken between the look and the start (other tests
    // run beside this one): each start is tried again with new ports.
    std::unique_ptr<vtx::hostsim::HostSimProcess> host;
    for (int attempt = 0; attempt < kStartAttempts && !host; ++attempt) {
        vtx::hostsim::HostSimPort mix;
        mix.section = "mix";
        mix.port = vtx::hostsim::freeFourDigitPort();
        mix.faultMix = kFaultMix;
        mix.seed = static_cast<long>(options_.seed % 1000000000u);
        mix.delayMs = kDelayMs;
        mix.workers = std::max(128, 2 * options_.terminals);
        vtx::hostsim::HostSimPort refusing;
        refusing.section = "refusing";
        refusing.port = vtx::hostsim::freeFourDigitPort();
        refusing.fault = "refuse";
        host = std::make_unique<vtx::hostsim::HostSimProcess>(root + "/hostsim",
                                                              std::vector{mix, refusing});
        if (!host->start()) {
            if (attempt + 1 == kStartAttempts)
                report.errors.push_back("vtx-hostsim did not start: " + host->error());
            host.reset();
        }
    }
    if (!host) return report;

    // LinkAgent and the terminals share the station: the terminals' keys
    // (access type 2, LOCAL) are of no concern to LinkAgent.
    std::unique_ptr<Child> started;
    int agentPort = 0;
    for (int attempt = 0; attempt < kStartAttempts && !started; ++attempt) {
        agentPort = vtx::hostsim::freeFourDigitPort();
        writeAgentStation(root, host->port("mix"), agentPort,
                          {{"Config", "ACESS_TYPE", "2"},
                           {"LOCAL", "Address", "127.0.0.1"},
                           {"LOCAL", "Port", std::to_string(agentPort)},
                           {"LOCAL", "TimeOut", "10"}},
                          {{"SOAK", host->port("mix"), kHostTimeoutSeconds},
                           {"SOAKR", host->port("refusing"), kHostTimeoutSeconds}});
        started = std::make_unique<Child>(
            std::vector<std::string>{vtx::platform::programDirectory() + "/LinkAgent"});
        if (!started->waitForPort(agentPort) || !started->running()) started.reset();
    }
    if (!started) {
        report.errors.push_back("LinkAgent did not start");
        return report;
    }
    const Child& agent = *started;
    waitUntilSteady(agent, report.idleDescriptors, report.idleThreads, kSettleBound);

    std::atomic<long> requests{0};
    const auto start = Clock::now();
    const auto until = start + std::chrono::seconds(options_.seconds);
    std::vector<std::vector<SoakOutcome>> perTerminal(static_cast<size_t>(options_.terminals));
    {
        Sampler sampler(agent, requests, report, options_);
        std::vector<std::thread> terminals;
        for (int t = 0; t < options_.terminals; ++t)
            terminals.emplace_back([&, t] {
                perTerminal[static_cast<size_t>(t)] =
                    terminal(t, options_.seed, agentPort, until, requests);
            });
        for (std::thread& t : terminals) t.join();
        sampler.stop();
    }
    report.loadSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    for (auto& outcomes : perTerminal)
        report.outcomes.insert(report.outcomes.end(), outcomes.begin(), outcomes.end());

    // Every relay thread ends and every connection closes; the idle values
    // may be higher than these if a start-up thread was still ending then.
    const auto settleUntil = Clock::now() + kSettleBound;
    do {
        report.settledDescriptors = agent.descriptors();
        report.settledThreads = agent.status("Threads");
    } while ((report.settledDescriptors > report.idleDescriptors ||
              report.settledThreads > report.idleThreads) &&
             Clock::now() < settleUntil && (std::this_thread::sleep_for(100ms), true));
    report.settledRssKb = agent.status("VmRSS");
    report.agentRanThrough = agent.running();
    report.agentExit = started->stop();
    if (const int exit = host->stop(); exit != 0)
        report.errors.push_back("vtx-hostsim's exit status: " + std::to_string(exit));
    report.hostFaults = faultsFromHostLog(host->logPath(), kHostTimeoutSeconds * 1000);
    if (!std::getenv("VTX_BENCH_KEEP")) std::filesystem::remove_all(root);
    return report;
}

}  // namespace bench
