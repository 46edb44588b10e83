#include "LinkAgentProgram.h"

#include <sys/resource.h>
#include <unistd.h>

#include <strings.h>
#include <algorithm>
#include <cstdlib>

#include "LogonHandOver.h"
#include "SettingsCheck.h"
#include "vtx/linkagent/Listener.h"
#include "vtx/platform/NamedMutex.h"

namespace vtx::linkagent {
namespace {

using namespace std::chrono_literals;

// How long the closing program waits for the relays still at work.
constexpr auto kThreadsWait = 10s;
constexpr auto kStopPoll = 50ms;
// Descriptors the listener can use: the largest waiting room and relay
// bound, with room to spare.
constexpr rlim_t kWantedDescriptors = 32768;
// How long a logon handed to the running instance may wait for its answer:
// that instance answers once its link is up (a dial-up link dials first).
constexpr auto kHandOverWait = 60s;

bool isLogonCommand(const std::vector<std::string>& arguments) {
    return !arguments.empty() && ::strcasecmp(arguments[0].c_str(), "LOGIN") == 0;
}

// Connections waiting for their request cost a descriptor each: the soft
// limit is raised towards the hard one, so the listener's waiting room can
// hold thousands (Listener::waitingCapacity reads the limit).
void raiseDescriptorLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return;
    const rlim_t wanted = std::min(limit.rlim_max, kWantedDescriptors);
    if (limit.rlim_cur >= wanted) return;
    limit.rlim_cur = wanted;
    ::setrlimit(RLIMIT_NOFILE, &limit);
}

}  // namespace

void LinkAgentProgram::alert(const std::string& text) {
    parts_.output.error(text);
    parts_.logger.log(text);
}

void LinkAgentProgram::hangUp() {
    if (parts_.dialUp.hangUp) parts_.dialUp.hangUp();
}

void LinkAgentProgram::notifyEnding() {
    ending_.store(true);
    if (parts_.notifyEnding) parts_.notifyEnding();
}

int LinkAgentProgram::run(std::vector<std::string> arguments) {
    // The status window is a program of its own: it takes over this process
    // when it can, otherwise this one says why and runs without it.
    if (!arguments.empty() && arguments[0] == "--window") {
        arguments.erase(arguments.begin());
        const std::string why = parts_.openWindow ? parts_.openWindow(arguments)
                                                  : std::string("no status window in this build");
        parts_.output.error("LinkAgent: " + why + "; running without a status window");
    }
    if (!arguments.empty() && arguments[0] == kCheckOption)
        return SettingsCheck(parts_.output, settings_, parts_.startupCheck).run();
    vtx::platform::NamedMutex instance(kInstanceMutex);
    switch (instance.attempt()) {
        case vtx::platform::NamedMutex::Attempt::kLocked:
            break;
        case vtx::platform::NamedMutex::Attempt::kHeldElsewhere:
            // The running instance (the service) logs on when asked as a
            // terminal asks it.
            return isLogonCommand(arguments) ? handOverLogonCommand() : kExitOtherInstance;
        case vtx::platform::NamedMutex::Attempt::kUnusable:
            // Without the lock the program cannot tell whether it runs twice.
            alert("LinkAgent: " + instance.problem());
            return kExitLock;
    }
    // A logon killed while installing its tables is completed first, so the
    // station's tables match its marks whatever this run does.
    if (parts_.logon.recover) parts_.logon.recover();
    if (parts_.startupCheck) {
        if (std::optional<std::string> stop = parts_.startupCheck()) {
            alert(*stop);
            return kExitDialUp;
        }
    }
    if (!arguments.empty()) {
        if (isLogonCommand(arguments)) return runLogonCommand();
        hangUp();
        return kExitOk;
    }
    return runResident();
}

int LinkAgentProgram::runLogonCommand() {
    if (parts_.guard.ensureConnection()) {
        if (parts_.download.start) parts_.download.start();
        if (parts_.logon.start) parts_.logon.start();
        if (parts_.logon.wait) parts_.logon.wait();
        if (parts_.download.wait) parts_.download.wait();
    }
    hangUp();
    return kExitOk;
}

int LinkAgentProgram::handOverLogonCommand() {
    const ListenSettingsResult listen = readListenSettings(settings_.coreIni);
    if (!listen.settings) {
        parts_.output.error("LinkAgent: another instance runs; its listener is not known: " +
                            listen.error);
        return kExitOtherInstance;
    }
    const HandOverResult handed = handOverLogon(*listen.settings, kHandOverWait);
    if (!handed.accepted) {
        parts_.output.error("LinkAgent: another instance runs; the logon could not be handed to "
                            "it at " + handed.where + ": " + handed.detail);
        return kExitOtherInstance;
    }
    parts_.output.line("LinkAgent: another instance runs; logon handed to it at " + handed.where +
                       " (answer " + handed.detail + ")");
    parts_.output.flush();
    return kExitOk;
}

int LinkAgentProgram::runResident() {
    ListenSettingsResult listen = readListenSettings(settings_.coreIni);
    if (!listen.settings) {
        alert(listen.error);
        return kExitSettings;
    }
    // On a permanent link the tables are fetched and the operators logged
    // on at once.
    if (!settings_.dialUp) {
        if (parts_.download.start) parts_.download.start();
        if (parts_.logon.start) parts_.logon.start();
    }

    raiseDescriptorLimit();
    const RelayServices services{parts_.logger, parts_.guard, parts_.status, parts_.exchange,
                                 parts_.logon.start, parts_.download.start};
    ListenerOptions options;
    options.port = listen.settings->port;
    options.address = listen.settings->address;
    options.maxRelays = listen.settings->maxConnections;
    options.relay.framing = listen.settings->framing;
    std::atomic<bool> failed{false};
    ListenerHooks hooks;
    hooks.idle = parts_.dialUp.idle;
    hooks.fatal = [this, &failed](const std::string& text) {
        alert(std::string(Listener::kErrorTitle) + ": " + text);
        failed = true;
    };
    Listener listener(services, options, hooks, ending_);
    if (!listener.open()) return kExitListener;
    parts_.output.line("LISTEN " + std::to_string(listener.port()));
    if (!listener.start()) return kExitListener;
    // The folder interface serves beside the listener.
    const bool folders = settings_.folderInterface && parts_.folder.start;
    if (folders && !parts_.folder.start())
        alert("LinkAgent: a interface de arquivos n\xe3o p\xf4" "de iniciar (veja o log)");
    parts_.output.line("READY");
    parts_.output.flush();
    if (parts_.ready) parts_.ready();

    while (!failed.load()) {
        if (signals_.wait(kStopPoll) != 0) break;
    }
    // Closing as the exit button does: hang up, ending flag, wait for the
    // threads.
    hangUp();
    notifyEnding();
    if (folders && parts_.folder.notifyEnding) parts_.folder.notifyEnding();
    const auto threadsDeadline = std::chrono::steady_clock::now() + kThreadsWait;
    bool allEnded = listener.join(kThreadsWait);
    if (folders && parts_.folder.join) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            threadsDeadline - std::chrono::steady_clock::now());
        allEnded = parts_.folder.join(std::max(left, std::chrono::milliseconds(0))) && allEnded;
    }
    if (parts_.logon.wait) parts_.logon.wait();
    if (parts_.download.wait) parts_.download.wait();
    const int status = failed.load() ? kExitListener : kExitOk;
    if (!allEnded) {
        // Relays still inside the host exchange would outlive what they use:
        // end the process here, as a closing dialog ends its threads.
        alert("Encerrando com mensagens em andamento.");
        parts_.output.flush();
        std::_Exit(status);
    }
    return status;
}

}  // namespace vtx::linkagent
