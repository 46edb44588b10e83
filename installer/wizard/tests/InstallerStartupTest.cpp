// The start-up with a window: what ends it before any wizard (another
// installer, a running LinkAgent, the reinstall question cancelled, a medium
// without the programs) and which wizard each command line opens.
#include "InstallerStartup.h"
#include "WizardHarness.h"
#include "vtx/installer/Configuration.h"
#include "vtx/installer/InstallMedium.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/NamedMutex.h"

namespace vtx::install {
namespace {

class StartupTest : public WizardTest {
protected:
    // Runs the start-up; the wizard it opens is recorded, not shown.
    int start(const std::string& argument) {
        InstallerStartup startup(prompts_, [this](InstallWizard& w) {
            opened.push_back({w.setup(), w.visitedPages(w.answers()), w.answers()});
            return false;
        });
        return startup.run(argument, root_.native("medium"));
    }
    void writeMediumPrograms() {
        for (const std::string& p : install::requiredPrograms()) root_.writeFile("medium/" + p, "");
    }
    void writeInstallation() {
        root_.writeFile("C/Windows/WINVTXCORE.INI", "[CORE]\r\nPath Server=C:\\Vantrix\r\n");
        root_.writeFile("C/Vantrix/CORE.INI", "[CONFIG]\r\nTIPOINSTALL=2\r\nMODOACESSO=0\r\n");
    }
    struct Opened {
        WizardSetup setup;
        std::vector<Page> pages;
        install::InstallAnswers answers;
    };
    std::vector<Opened> opened;
};

TEST_F(StartupTest, AnotherInstallerEndsThisOneLeavingItsScratchAnswers) {
    writeMediumPrograms();
    const auto other = install::takeInstallerLock();
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(platform::iniWriteString(install::scratchFilePath(), "ESTAB", "CNPJ", "1"));
    EXPECT_EQ(start(""), 1);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(platform::iniGetString(install::scratchFilePath(), "ESTAB", "CNPJ", ""), "1");
}

TEST_F(StartupTest, ARunningLinkAgentIsReportedExceptForThePinPadAlone) {
    writeMediumPrograms();
    writeInstallation();
    platform::NamedMutex linkAgent("__a___hMutexVeficaAntDialUp__a___");  // LinkAgent's own
    ASSERT_TRUE(linkAgent.tryLock());
    for (const char* argument : {"", "2"}) {
        EXPECT_EQ(start(argument), 1);
        EXPECT_EQ(prompts_.shown.back().title, install::kConfiguratorTitle);
        EXPECT_EQ(lastText(), install::kLinkAgentRunningMessage);
    }
    EXPECT_TRUE(opened.empty());
    start("1");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].pages, std::vector<Page>{Page::kPinPad});
}

TEST_F(StartupTest, TheReinstallQuestionAndTheMediumsProgramsComeFirst) {
    writeInstallation();
    EXPECT_EQ(start(""), 1);
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_TRUE(prompts_.shown[0].question);
    EXPECT_EQ(prompts_.shown[0].text, install::kReinstallQuestion);
    prompts_.answers = {true};
    EXPECT_EQ(start(""), 1);
    EXPECT_EQ(lastText(), install::kMediumNotFoundMessage);
    EXPECT_TRUE(opened.empty());
}

TEST_F(StartupTest, AnInstallationStartsFromTheMediumsPrefilledAnswers) {
    writeMediumPrograms();
    root_.writeFile("C/Windows/MSTMPFILE.TMP", "[ESTAB]\r\nCNPJ=99999999999999\r\n");  // a previous run's
    root_.writeFile("medium/INSTALL.INI",
                    "[INSTALL]\r\nTipoDados=1\r\n[SERVER]\r\nTIPO=1\r\n[ESTAB]\r\nCNPJ=12345678000195\r\n");
    start("");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].setup.title, install::kInstallationTitle);
    EXPECT_EQ(opened[0].setup.mode, WizardMode::kInstall);
    EXPECT_EQ(opened[0].answers.server.tipo, "1");
    EXPECT_EQ(opened[0].answers.estab.cnpj, "12345678000195");
    const std::string scratch = install::scratchFilePath();
    EXPECT_EQ(platform::iniGetString(scratch, "TRACE", "PATH", ""), root_.native("medium"));
    EXPECT_EQ(platform::iniGetString(scratch, "ESTAB", "CNPJ", ""), "");
}

TEST_F(StartupTest, TheConfiguratorWorksOnTheInstallation) {
    writeInstallation();
    start("2");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].setup.title, install::kConfiguratorTitle);
    EXPECT_EQ(opened[0].setup.mediumDir, root_.native("C/Vantrix"));
    EXPECT_EQ(opened[0].answers.server.tipo, "2");
    EXPECT_EQ(std::count(opened[0].pages.begin(), opened[0].pages.end(), Page::kEstablishment), 0);
}

}  // namespace
}  // namespace vtx::install
