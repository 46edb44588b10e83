// LinkAgent, the shop's connection manager: wires the parts into the program.
// Usage: LinkAgent [LOGIN]   (see linkagent/app/LinkAgent.md)
#include <atomic>
#include <string>
#include <vector>

#include "ConsoleStatusBoard.h"
#include "LinkAgentProgram.h"
#include "StandInConnectionGuard.h"
#include "StandInLogger.h"
#include "StandInLogon.h"
#include "StopSignals.h"
#include "vx32_cli.h"

int main(int argc, char** argv) {
    using namespace vtx::linkagent;
    StopSignals signals;  // before any thread starts
    std::atomic<bool> ending{false};

    ConsoleOutput output;

    StandInLogger logger(output, StandInLogger::enabledIn(loadStartupSettings().coreIni));
    ConsoleStatusBoard status(output, logger);
    StandInConnectionGuard guard;
    StandInLogon logon(output, [](char* list) { return ListAdm(list); });

    ProgramParts parts{output,
                       logger,
                       guard,
                       status,
                       [](char* buffer, const char* op, const char* service) {
                           return Process_Server(buffer, op, service);
                       },
                       {[&logon] { return logon.startLogon(); }, [&logon] { logon.wait(); }},
                       {}};
    LinkAgentProgram program(std::move(parts), signals, ending);
    return program.run(std::vector<std::string>(argv + 1, argv + argc));
}
