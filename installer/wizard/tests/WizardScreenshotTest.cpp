// Pictures for a person to look at: with VTX_WIZARD_SHOTS naming a folder,
// the kind and establishment pages are saved there as wizard-kind.png and
// wizard-establishment.png (run under Xvfb for the real look). Skipped otherwise.
#include <QPixmap>

#include "WizardHarness.h"

namespace vtx::installer {
namespace {

TEST_F(WizardTest, ScreenshotsOfTheKindAndEstablishmentPages) {
    const QString dir = qEnvironmentVariable("VTX_WIZARD_SHOTS");
    if (dir.isEmpty()) GTEST_SKIP() << "VTX_WIZARD_SHOTS not set";
    open(kindAndMode(install::kMonoUsuario));
    wizard().resize(640, 480);
    settle();
    ASSERT_TRUE(wizard().grab().save(dir + QStringLiteral("/wizard-kind.png")));
    walkTo(Page::kEstablishment);
    fillValid();
    settle();
    ASSERT_TRUE(wizard().grab().save(dir + QStringLiteral("/wizard-establishment.png")));
}

}  // namespace
}  // namespace vtx::installer
