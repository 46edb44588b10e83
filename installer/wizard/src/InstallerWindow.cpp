#include "vtx/installer/InstallerWindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "InstallerStartup.h"
#include "MessageBoxPrompts.h"
#include "vtx/installer/InstallMedium.h"

namespace vtx::install {

int runInstallerWindow(int argc, char** argv, const std::string& mediumDir) {
    using namespace vtx::install;
    QApplication app(argc, argv);
    // Qt's own texts (a line edit's context menu) in Portuguese when the
    // translations are installed; the wizard labels its buttons itself.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_pt_BR"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
    MessageBoxPrompts prompts;
    InstallerStartup startup(prompts, [&prompts](InstallWizard& wizard) {
        prompts.setParent(&wizard);
        const bool finished = wizard.exec() == QDialog::Accepted;
        prompts.setParent(nullptr);
        return finished;
    });
    const std::string argument = argc > 1 && argv[1] != nullptr ? argv[1] : "";
    return startup.run(argument, mediumDir.empty() ? defaultMediumDir() : mediumDir);
}

}  // namespace vtx::install
