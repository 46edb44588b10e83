// LinkAgentWindow: the connection manager with its status dialog and tray
// icon (started directly, or by `LinkAgent --window`). The program itself
// runs as without a window, on its own thread; the dialog shows the status
// fields, and its exit button closes the program the way SIGTERM does.
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <atomic>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "AgentParts.h"
#include "LinkAgentProgram.h"
#include "StatusWindow.h"
#include "StopSignals.h"
#include "vtx/platform/Cp1252.h"

int main(int argc, char** argv) {
    using namespace vtx::linkagent;
    StopSignals signals;  // before any thread starts
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    std::vector<std::future<void>> hangUps;
    AgentParts* agent = nullptr;
    WindowActions actions;
    actions.exit = [] { ::kill(::getpid(), SIGTERM); };
    // Hanging up waits several seconds: off the window's thread.
    actions.hangUp = [&hangUps, &agent] {
        if (agent) hangUps.push_back(std::async(std::launch::async, [a = agent] {
            a->dialUp().hangUp();
        }));
    };
    StatusWindow window(actions);

    DialUpHooks hooks;
    hooks.messageBox = [&window](const std::string& title, const std::string& text) {
        const QString t = QString::fromStdString(vtx::platform::cp1252ToUtf8(title));
        const QString m = QString::fromStdString(vtx::platform::cp1252ToUtf8(text));
        QMetaObject::invokeMethod(
            &window, [&window, t, m] { QMessageBox::warning(&window, t, m); },
            Qt::QueuedConnection);
    };
    ConsoleOutput output;
    const StartupSettings startup = loadStartupSettings();
    AgentParts parts(output, startup, &window, hooks);
    agent = &parts;
    ProgramParts programParts = parts.programParts();
    programParts.openWindow = {};  // this is the window
    programParts.ready = [&window] {
        QMetaObject::invokeMethod(&window, [&window] { window.listenerReady(); },
                                  Qt::QueuedConnection);
    };

    std::atomic<bool> ending{false};
    LinkAgentProgram program(std::move(programParts), startup, signals, ending);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    int status = 0;
    window.show();
    std::thread runner([&] {
        status = program.run(arguments);
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    app.exec();
    runner.join();
    for (auto& h : hangUps) h.wait();
    return status;
}
