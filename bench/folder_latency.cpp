// folder_latency: what LinkAgent's folder interface adds to a request, from
// the request file appearing in the input folder (renamed in whole, as a
// shop's program does) to its answer file appearing in the output folder,
// against the same request sent straight through Process_Server to the same
// vtx-hostsim in the same run (the host's own time and the library's). The
// roads take turns request by request, so drift of the machine hits both.
// The pause between files is set to 0 (CORE.INI [ShellFile] Pause_Next_File).
// Prints median and p99 of both roads and of the difference.
//
// usage: folder_latency [requests]   (default 200)
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "HostSimProcess.h"
#include "vtx/platform/SharedLibrary.h"
#include "vx32_cli.h"

namespace {

using namespace bench;
namespace fs = std::filesystem;

const std::string kMessage = "000-000=0200;011-000=003000;004-000=000000001000;";

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const size_t at = std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())));
    return values[at];
}

double direct() {
    char buffer[VX_BUFFER_SIZE] = {};
    std::snprintf(buffer, sizeof buffer, "%04zu%s", kMessage.size(), kMessage.c_str());
    const auto start = Clock::now();
    const int result = Process_Server(buffer, "BENCH", "CHK");
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return result > 0 ? ms : -1;
}

// Drops request `n` and waits (at most 30 s) for its answer.
double throughFolders(const std::string& install, int n) {
    const std::string base = "B" + std::to_string(n);
    const std::string part = install + "/.bench.part";
    const std::string answer = install + "/RESP/" + base + ".001";
    {
        std::ofstream out(part, std::ios::binary);
        out << "040-000=BENCH\r\n000-000=0200\r\n011-000=003000\r\n004-000=000000001000\r\n";
    }
    const auto start = Clock::now();
    fs::rename(part, install + "/REQ/" + base + ".001");
    std::error_code ec;
    while (!fs::exists(answer, ec)) {
        if (Clock::now() - start > std::chrono::seconds(30)) return -1;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    fs::remove(answer, ec);
    return ms;
}

void print(const char* road, const std::vector<double>& ms) {
    std::printf("%-34s median %7.3f ms   p99 %7.3f ms\n", road, percentile(ms, 0.5),
                percentile(ms, 0.99));
}

}  // namespace

int main(int argc, char** argv) {
    const int requests = argc > 1 ? std::clamp(std::atoi(argv[1]), 10, 100000) : 200;
    ::signal(SIGPIPE, SIG_IGN);
    const std::string root =
        fs::temp_directory_path() / ("vtx-folder-bench-" + std::to_string(::getpid()));
    for (const char* dir : {"/hostsim", "/C/Vantrix"}) fs::create_directories(root + dir);
    ::setenv("VTX_ROOT", root.c_str(), 1);
    ::unsetenv("VTX_WINDIR");

    vtx::hostsim::HostSimPort p;
    p.section = "plain";
    p.port = freeLowPort(7300);
    p.framing = "plain";
    p.workers = 16;
    vtx::hostsim::HostSimProcess host(root + "/hostsim", {p});
    if (!host.start()) {
        std::fprintf(stderr, "vtx-hostsim did not start: %s\n", host.error().c_str());
        return 1;
    }
    const int agentPort = freeLowPort(8300);
    writeAgentStation(root, host.port("plain"), agentPort,
                      {{"TCPIP PORTS", "Socket", "N"}, {"ShellFile", "Pause_Next_File", "0"}});
    Child agent({vtx::platform::programDirectory() + "/LinkAgent"});
    if (!agent.waitForPort(agentPort)) {
        std::fprintf(stderr, "LinkAgent did not start\n");
        return 1;
    }
    const std::string install = root + "/C/Vantrix";
    // Warm both roads (library loaded, connections of the host's workers).
    for (int i = 0; i < 5; ++i) {
        direct();
        throughFolders(install, -1 - i);
    }
    std::vector<double> straight, folders, added;
    int failures = 0;
    for (int i = 0; i < requests; ++i) {
        const double d = direct();
        const double f = throughFolders(install, i);
        if (d < 0 || f < 0) {
            ++failures;
            continue;
        }
        straight.push_back(d);
        folders.push_back(f);
        added.push_back(f - d);
    }
    if (folders.empty()) {
        std::fprintf(stderr, "no request was answered\n");
        return 1;
    }
    std::printf("%d requests, %d failed\n", requests, failures);
    print("Process_Server straight to host", straight);
    print("request file -> answer file", folders);
    print("added by the folder interface", added);
    std::error_code ec;
    fs::remove_all(root, ec);
    return failures == 0 ? 0 : 1;
}
