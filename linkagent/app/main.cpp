// LinkAgent, the shop's connection manager: wires the parts into the program.
// Usage: LinkAgent [--window] [LOGIN]   (see linkagent/app/LinkAgent.md)
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <vector>

#include "ConsoleStatusBoard.h"
#include "LinkAgentProgram.h"
#include "StopSignals.h"
#include "WindowLauncher.h"
#include "vtx/linkagent/AgentLog.h"
#include "vtx/linkagent/DialUpManager.h"
#include "vtx/linkagent/DialUpSettings.h"
#include "vtx/linkagent/logon/LogonRunner.h"
#include "vx32_cli.h"

int main(int argc, char** argv) {
    using namespace vtx::linkagent;
    StopSignals signals;  // before any thread starts
    std::atomic<bool> ending{false};

    ConsoleOutput output;
    const StartupSettings startup = loadStartupSettings();

    AgentLog log(startup.pathServer);
    ConsoleStatusBoard status(output, log);

    DialUpHooks dialHooks;
    dialHooks.messageBox = [&output, &log](const std::string& title, const std::string& text) {
        output.error(title + ": " + text);
        log.log(text);
    };
    // An unrecoverable dial-up failure closes the program the way a stop
    // signal does, so the threads still end in order.
    dialHooks.closeProgram = [] { ::kill(::getpid(), SIGTERM); };
    DialUpSettings dialSettings = readDialUpSettings(startup.pathServer);
    auto backend = openDialUpBackend(dialSettings);
    DialUpManager dialUp(std::move(dialSettings), std::move(backend), status, dialHooks);

    const ServerExchange exchange = [](char* buffer, const char* op, const char* service) {
        return Process_Server(buffer, op, service);
    };
    LogonRunner logon(log, dialUp, status, exchange, [](char* list) { return ListAdm(list); },
                      startup.pathServer);

    ProgramParts parts{output,
                       log,
                       dialUp,
                       status,
                       exchange,
                       {[&logon] { return logon.startLogon(); }, [&logon] { logon.wait(); }},
                       {[&dialUp] { dialUp.hangUp(); },
                        [&dialUp] {
                            dialUp.refreshStatus();
                            dialUp.hangUpIfIdle();
                        }},
                       [&dialUp]() -> std::optional<std::string> {
                           if (auto box = dialUp.checkStartup()) return box->title + ": " + box->text;
                           return std::nullopt;
                       },
                       [&logon, &dialUp] {
                           dialUp.setEnding();
                           logon.notifyEnding();
                       },
                       execWindowProgram};
    LinkAgentProgram program(std::move(parts), signals, ending);
    return program.run(std::vector<std::string>(argv + 1, argv + argc));
}
