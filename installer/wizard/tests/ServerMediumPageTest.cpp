// The station's wait for its server: on by itself once the server's mark is
// there, Next disabled before; cancelled with a message when the wait runs
// out. The wait's bounds are shortened here.
#include <QAbstractButton>

#include "WizardHarness.h"
#include "vtx/installer/Configuration.h"

namespace vtx::install {
namespace {

class ServerMediumPageTest : public WizardTest {
protected:
    void openStation(int waitMs) {
        install::InstallAnswers answers = kindAndMode(install::kEstacao);
        answers.server.drive = "S:";
        WizardSetup setup;
        setup.mediumPollMs = 20;
        setup.mediumWaitMs = waitMs;
        open(answers, {}, setup);
        ASSERT_TRUE(next());
    }
};

TEST_F(ServerMediumPageTest, GoesOnWhenTheMarkAppearsOrIsAlreadyThere) {
    openStation(600000);
    ASSERT_EQ(currentPage(), Page::kServerMedium);
    EXPECT_FALSE(wizard().button(QWizard::NextButton)->isEnabled());
    writeServerMark("S:");
    ASSERT_TRUE(waitFor([&] { return currentPage() == Page::kStation; }));
    EXPECT_TRUE(prompts_.shown.empty());

    openStation(600000);  // the mark is there from the start
    ASSERT_TRUE(waitFor([&] { return currentPage() == Page::kStation; }));
}

TEST_F(ServerMediumPageTest, CancelsTheWizardWhenTheWaitRunsOut) {
    openStation(100);
    ASSERT_TRUE(waitFor([&] { return !wizard().isVisible(); }));
    EXPECT_EQ(wizard().result(), QDialog::Rejected);
    EXPECT_EQ(lastText(), install::kServerUnreachableMessage);
}

}  // namespace
}  // namespace vtx::install
