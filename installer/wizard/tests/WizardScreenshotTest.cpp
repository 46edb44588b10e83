// Pictures of the kind and establishment pages for a person to look at:
// with VTX_WIZARD_SHOTS set to a folder, the wizard is grabbed there as
// wizard-kind.png and wizard-establishment.png (run under Xvfb for the real
// look). Skipped otherwise.
#include <QPixmap>
#include <cstdlib>

#include "WizardHarness.h"

namespace vtx::installer {
namespace {

TEST_F(WizardTest, ScreenshotsOfTheKindAndEstablishmentPages) {
    const char* folder = std::getenv("VTX_WIZARD_SHOTS");
    if (folder == nullptr || *folder == '\0') GTEST_SKIP() << "VTX_WIZARD_SHOTS not set";
    const QString dir = QString::fromLocal8Bit(folder);
    install::InstallAnswers answers;
    answers.server.tipo = "2";
    answers.dial.dialup = "Loja";
    open(answers);
    wizard().resize(640, 480);
    settle();
    ASSERT_TRUE(wizard().grab().save(dir + QStringLiteral("/wizard-kind.png")));
    walkTo(install::Page::kEstablishment);
    fillValid();
    settle();
    ASSERT_TRUE(wizard().grab().save(dir + QStringLiteral("/wizard-establishment.png")));
}

}  // namespace
}  // namespace vtx::installer
