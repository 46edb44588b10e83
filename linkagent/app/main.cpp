// LinkAgent, the shop's connection manager without a window: status on
// standard output and in the log; SIGTERM or SIGINT close it.
// Usage: LinkAgent [--window] [LOGIN]   (see linkagent/app/LinkAgent.md)
#include <atomic>
#include <string>
#include <vector>

#include "AgentParts.h"
#include "LinkAgentProgram.h"
#include "StopSignals.h"

int main(int argc, char** argv) {
    using namespace vtx::linkagent;
    StopSignals signals;  // before any thread starts
    std::atomic<bool> ending{false};
    ConsoleOutput output;
    const StartupSettings startup = loadStartupSettings();
    AgentParts parts(output, startup);
    LinkAgentProgram program(parts.programParts(), startup, signals, ending);
    return program.run(std::vector<std::string>(argv + 1, argv + argc));
}
