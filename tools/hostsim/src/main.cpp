// vtx-hostsim: the authorisation host's side of the wire, for integration
// tests, the demo and rehearsals. See doc/hostsim.md.
//
//   vtx-hostsim --config FILE [--log FILE [--raw]] [--data DIR [--station-dir DIR]]
//   vtx-hostsim --help | --version
//
// --station-dir keeps the report and batch files of the transactions in a
// station's installation directory (TransactionDesk).
//
// The log masks card numbers and tracks unless --raw asks for the bytes as
// received.
//
// Exit codes: 0 after SIGTERM/SIGINT, 1 when a port cannot be opened,
// 2 for a bad command line, configuration or data folder.
#include <signal.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "HostConfig.h"
#include "HostData.h"
#include "NsuCounter.h"
#include "PortServer.h"
#include "RequestLog.h"
#include "StopSignal.h"
#include "TransactionDesk.h"
#include "vtx/Version.h"

namespace {

using namespace vtx::hostsim;

constexpr int kExitCannotOpen = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: vtx-hostsim --config FILE [--log FILE [--raw]] [--data DIR [--station-dir DIR]]\n"
    "       vtx-hostsim --help | --version\n";

struct Options {
    std::string config;
    std::string log;
    std::string data;  // empty: no transactions, the default reply only
    std::string stationDir;  // empty: no report files written
    bool raw = false;  // the log shows card data as received
};

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--raw") {
            options.raw = true;
            continue;
        }
        std::string* target = arg == "--config"        ? &options.config
                              : arg == "--log"         ? &options.log
                              : arg == "--data"        ? &options.data
                              : arg == "--station-dir" ? &options.stationDir
                                                       : nullptr;
        if (target == nullptr || i + 1 >= argc) return false;
        *target = argv[++i];
    }
    return !options.config.empty();
}

// Blocks the stop signals in every thread; the main thread takes them with
// sigtimedwait().
sigset_t blockStopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    signal(SIGPIPE, SIG_IGN);
    return set;
}

void waitForStopSignal(const sigset_t& set) {
    const timespec tick{1, 0};
    for (;;) {
        int sig = sigtimedwait(&set, nullptr, &tick);
        if (sig == SIGTERM || sig == SIGINT) return;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("vtx-hostsim %s\n", VTX_VERSION);
        return 0;
    }
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    std::string error;
    std::optional<HostConfig> config = loadHostConfig(options.config, error);
    if (!config) {
        std::fprintf(stderr, "vtx-hostsim: %s\n", error.c_str());
        return kExitUsage;
    }
    std::unique_ptr<TransactionDesk> desk;
    for (const PortConfig& port : config->ports) {
        if (options.data.empty() && !port.logonOperator.empty()) {
            std::fprintf(stderr, "vtx-hostsim: section [%s], key Operator: needs --data\n",
                         port.section.c_str());
            return kExitUsage;
        }
    }
    if (!options.data.empty()) {
        std::optional<HostData> data = loadHostData(options.data, error);
        if (!data || !checkLogonOperators(*config, *data, error)) {
            std::fprintf(stderr, "vtx-hostsim: %s\n", error.c_str());
            return kExitUsage;
        }
        desk = std::make_unique<TransactionDesk>(std::move(*data));
    }
    if (!options.stationDir.empty()) {
        std::error_code ec;
        if (!desk || !std::filesystem::is_directory(options.stationDir, ec)) {
            std::fprintf(stderr, "vtx-hostsim: --station-dir %s: %s\n", options.stationDir.c_str(),
                         desk ? "not a folder" : "needs --data");
            return kExitUsage;
        }
        desk->keepStationFolder(std::filesystem::absolute(options.stationDir).string(),
                                [](std::string_view problem) {
                                    std::fprintf(stderr, "vtx-hostsim: station folder: %.*s\n",
                                                 static_cast<int>(problem.size()), problem.data());
                                });
    }
    const sigset_t stopSignals = blockStopSignals();

    RequestLog log;
    if (!options.log.empty() && !log.open(options.log, options.raw, error)) {
        std::fprintf(stderr, "vtx-hostsim: %s\n", error.c_str());
        return kExitUsage;
    }
    StopSignal stop;
    if (!stop.valid()) {
        std::fprintf(stderr, "vtx-hostsim: cannot create the stop signal\n");
        return kExitCannotOpen;
    }
    NsuCounter nsu;
    std::vector<std::unique_ptr<PortServer>> servers;
    for (PortConfig& port : config->ports) {
        servers.push_back(
            std::make_unique<PortServer>(std::move(port), nsu, log, stop, desk.get()));
        if (!servers.back()->open(error)) {
            std::fprintf(stderr, "vtx-hostsim: %s\n", error.c_str());
            return kExitCannotOpen;
        }
    }
    for (auto& server : servers) {
        server->start();
        std::printf("LISTEN %s %d\n", server->config().section.c_str(), server->port());
    }
    std::printf("READY\n");
    std::fflush(stdout);

    waitForStopSignal(stopSignals);
    stop.request();
    for (auto& server : servers) server->join();
    return 0;
}
