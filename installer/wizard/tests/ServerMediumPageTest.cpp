// The station's wait for its server: on by itself once the server's mark
// appears, Next disabled before; cancelled with a message when the wait
// runs out. The wait's bounds are the wizard's (shortened here).
#include <QAbstractButton>

#include "ServerMediumPage.h"
#include "WizardHarness.h"
#include "vtx/installer/Configuration.h"

namespace vtx::installer {
namespace {

using install::Page;

class ServerMediumPageTest : public WizardTest {
protected:
    void openStation(int waitMs) {
        install::InstallAnswers answers;
        answers.server.tipo = std::to_string(install::kEstacao);
        answers.server.drive = "S:";
        WizardSetup setup;
        setup.mediumPollMs = 20;
        setup.mediumWaitMs = waitMs;
        open(answers, {}, setup);
        ASSERT_TRUE(next());
    }
};

TEST_F(ServerMediumPageTest, GoesOnWhenTheServersMarkAppears) {
    openStation(600000);
    settle();
    ASSERT_EQ(currentPage(), Page::kServerMedium);
    EXPECT_FALSE(wizard().button(QWizard::NextButton)->isEnabled());
    writeServerMark("S:");
    ASSERT_TRUE(waitFor([&] { return currentPage() == Page::kStation; }));
    EXPECT_TRUE(prompts_.shown.empty());
    EXPECT_TRUE(wizard().isVisible());
}

TEST_F(ServerMediumPageTest, AMarkAlreadyThereGoesOnAtOnce) {
    writeServerMark("S:");
    openStation(600000);
    ASSERT_TRUE(waitFor([&] { return currentPage() == Page::kStation; }));
}

TEST_F(ServerMediumPageTest, CancelsTheWizardWhenTheWaitRunsOut) {
    openStation(100);
    ASSERT_TRUE(waitFor([&] { return !wizard().isVisible(); }));
    EXPECT_EQ(wizard().result(), QDialog::Rejected);
    EXPECT_EQ(lastBox().text, install::kServerUnreachableMessage);
}

TEST_F(ServerMediumPageTest, BackStopsTheWait) {
    openStation(300);
    ASSERT_EQ(currentPage(), Page::kServerMedium);
    wizard().back();
    settle();
    ASSERT_EQ(currentPage(), Page::kKind);
    auto* page = dynamic_cast<ServerMediumPage*>(wizard().page(pageId(Page::kServerMedium)));
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->waiting());
    EXPECT_TRUE(wizard().isVisible());
}

}  // namespace
}  // namespace vtx::installer
