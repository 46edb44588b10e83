// LinkAgent, the shop's connection manager without a window: status on
// standard output and in the log; SIGTERM or SIGINT close it.
// Usage: see kUsage below and linkagent/app/LinkAgent.md.
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "AgentParts.h"
#include "LinkAgentProgram.h"
#include "StopSignals.h"
#include "vtx/Version.h"

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  LinkAgent [--window]          resident: listener and relay until SIGTERM or SIGINT\n"
    "  LinkAgent [--window] LOGIN    log every operator on, then end; beside a running\n"
    "                                LinkAgent, ask it for the logon as a terminal does\n"
    "  LinkAgent [--window] OTHER    any other argument: hang up a dial-up link and end\n"
    "  LinkAgent --check             read the settings as a start does and print them;\n"
    "                                exit 0 when LinkAgent can start, else the start's status\n"
    "  LinkAgent --help | --version\n"
    "--window shows the status dialog and tray icon (LinkAgentWindow) when there is a\n"
    "display. Exit status: 0 closed in order, 1 a TCPIP PORTS setting is wrong, 2 another\n"
    "instance runs, 3 the listener could not serve, 4 the dial-up start-up check failed,\n"
    "5 the single-instance lock cannot be made.\n"
    "The station is the one of VTX_ROOT (default /var/lib/vantorix) and VTX_WINDIR.\n";

// Exit status of --help and --version: 0 when the text reached standard
// output whole, 1 when it could not be written (a full disk, a closed pipe).
int written(bool printed) {
    return printed && std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vtx::linkagent;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        return written(std::fputs(kUsage, stdout) >= 0);
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        return written(std::printf("LinkAgent %s\n", VTX_VERSION) >= 0);
    }
    StopSignals signals;  // before any thread starts
    std::atomic<bool> ending{false};
    ConsoleOutput output;
    const StartupSettings startup = loadStartupSettings();
    AgentParts parts(output, startup);
    LinkAgentProgram program(parts.programParts(), startup, signals, ending);
    return program.run(std::vector<std::string>(argv + 1, argv + argc));
}
