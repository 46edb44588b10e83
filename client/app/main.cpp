// VtxClient: the point-of-sale client. Wiring only: the message boxes, the
// communication and PIN pad libraries, the session, the main window and the
// start-up; options and test hooks are described in VtxClient.md.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/AutoAnswerDialogs.h"
#include "app/ReportWindows.h"
#include "app/SaleWindows.h"
#include "app/ScreenshotRecorder.h"
#include "core/ClientSession.h"
#include "managers/ManagerForms.h"
#include "messaging/LoadedCommLibrary.h"
#include "screens/ClientStartup.h"
#include "screens/FormPrincipal.h"
#include "screens/PinPadTrack.h"
#include "vtx/Version.h"
#include "widgets/QtDialogs.h"
#include "widgets/QtPrinter.h"

using namespace vtx::client;

namespace {

constexpr const char* kUsage =
    "usage: VtxClient [--screenshot DIR]\n"
    "       VtxClient --help | --version\n"
    "The point-of-sale client of the station of VTX_ROOT (default /var/lib/vantorix)\n"
    "and VTX_WINDIR. --screenshot DIR (or VTX_SCREENSHOTS=DIR) saves every screen as\n"
    "DIR/NN-<screen>.png; VTX_AUTOANSWER=yes|no answers the message boxes on standard\n"
    "error; VTX_AUTOCLOSE_MS=N presses the exit button N ms after the card screen.\n"
    "Exit status: 0 after the confirmed exit, 1 when the start-up stopped.\n";

// --help and --version, answered before the application needs a display;
// true when one was.
bool answeredOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("VtxClient %s\n", VTX_VERSION);
            return true;
        }
    }
    return false;
}

QString screenshotFolder(const QStringList& args) {
    const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    if (at >= 0 && at + 1 < args.size()) return args.at(at + 1);
    return qEnvironmentVariable("VTX_SCREENSHOTS");
}

std::unique_ptr<Dialogs> makeDialogs() {
    const QString answer = qEnvironmentVariable("VTX_AUTOANSWER").trimmed().toLower();
    if (answer == QStringLiteral("yes"))
        return std::make_unique<AutoAnswerDialogs>(MessageAnswer::Yes);
    if (answer == QStringLiteral("no"))
        return std::make_unique<AutoAnswerDialogs>(MessageAnswer::No);
    return std::make_unique<widgets::QtDialogs>();
}

}  // namespace

int main(int argc, char** argv) {
    if (answeredOption(argc, argv)) return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VtxClient"));
    QApplication::setApplicationVersion(QStringLiteral(VTX_VERSION));

    std::unique_ptr<Dialogs> dialogs = makeDialogs();
    LoadedCommLibrary comm;
    LoadedPinPad pinPad;
    ClientSession session(*dialogs, comm);
    FormPrincipal principal(session);
    if (auto* boxes = dynamic_cast<widgets::QtDialogs*>(dialogs.get()))
        boxes->setParent(&principal);

    std::unique_ptr<ScreenshotRecorder> screenshots;
    const QString folder = screenshotFolder(QApplication::arguments());
    if (!folder.isEmpty()) screenshots = std::make_unique<ScreenshotRecorder>(folder, principal);

    // The windows of the other layers (an empty opener leaves its command
    // without effect).
    ScreenOpeners openers;
    openers.openLogin = [&] { return abreFormLogin(session, &principal); };
    openers.openPasswordChange = [&] { abreFormNovaSenha(session, &principal); };
    openers.openConfig = [&] { abreFormConfig(session, &principal); };
    SaleWindows saleWindows(session, principal, openers);
    saleWindows.plugInto(openers);
    ClientStartup startup(session, principal, openers, pinPad.function());
    if (!startup.run()) return 1;

    std::unique_ptr<widgets::QtPrinter> printer =
        widgets::QtPrinter::fromSettings(session.settings);
    session.printer = printer.get();
    principal.show();

    bool ok = false;
    const int autoClose = qEnvironmentVariableIntValue("VTX_AUTOCLOSE_MS", &ok);
    if (ok && autoClose >= 0)
        QTimer::singleShot(autoClose, &principal, [&principal] { principal.cmdSair_Click(); });
    return QApplication::exec();
}
