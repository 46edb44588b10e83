// The start-up with a window: what ends it before any wizard (another
// installer, a running LinkAgent, the reinstall question cancelled, a medium
// without the programs) and which wizard each command line opens.
#include "InstallerStartup.h"
#include "WizardHarness.h"
#include "vtx/installer/Configuration.h"
#include "vtx/installer/InstallMedium.h"
#include "vtx/installer/InstallSession.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/NamedMutex.h"

namespace vtx::installer {
namespace {

class InstallerStartupTest : public WizardTest {
protected:
    struct Opened {
        WizardMode mode;
        std::string title;
        std::string mediumDir;
        std::vector<install::Page> pages;
        install::InstallAnswers answers;
    };

    // Runs the start-up; the wizard it opens is recorded, not shown.
    int start(const std::string& argument) {
        InstallerStartup startup(prompts_, [this](InstallWizard& w) {
            opened.push_back({w.setup().mode, w.setup().title, w.setup().mediumDir,
                              w.visitedPages(w.answers()), w.answers()});
            return false;
        });
        return startup.run(argument, mediumDir());
    }

    void writeMediumPrograms() {
        for (const std::string& program : install::requiredPrograms()) {
            root_.writeFile("medium/" + program, "#!/bin/sh\n");
        }
    }

    void writeInstallation() {
        root_.writeFile("C/Windows/WINVTXCORE.INI",
                        "[CORE]\r\nPath Server=C:\\Vantrix\r\nPath Core=C:\\Vantrix\r\n");
        root_.writeFile("C/Vantrix/CORE.INI",
                        "[CONFIG]\r\nTIPOINSTALL=2\r\nMODOACESSO=0\r\n");
    }

    std::vector<Opened> opened;
};

TEST_F(InstallerStartupTest, AnotherInstallerEndsThisOneLeavingItsScratchAnswers) {
    writeMediumPrograms();
    const auto other = install::takeInstallerLock();
    ASSERT_NE(other, nullptr);
    const std::string scratch = install::scratchFilePath();
    ASSERT_TRUE(platform::iniWriteString(scratch, "ESTAB", "CNPJ", "12345678000195"));
    EXPECT_EQ(start(""), 1);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(platform::iniGetString(scratch, "ESTAB", "CNPJ", ""), "12345678000195");
}

TEST_F(InstallerStartupTest, ARunningLinkAgentIsReportedExceptForThePinPadAlone) {
    writeMediumPrograms();
    writeInstallation();
    platform::NamedMutex linkAgent("__a___hMutexVeficaAntDialUp__a___");
    ASSERT_TRUE(linkAgent.tryLock());
    ASSERT_TRUE(install::linkAgentRunning());
    for (const char* argument : {"", "2"}) {
        prompts_.shown.clear();
        EXPECT_EQ(start(argument), 1);
        EXPECT_TRUE(opened.empty());
        EXPECT_EQ(lastBox().title, install::kConfiguratorTitle);
        EXPECT_EQ(lastBox().text, install::kLinkAgentRunningMessage);
    }
    start("1");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].mode, WizardMode::kPinPadOnly);
}

TEST_F(InstallerStartupTest, ReinstallAskedAndCancelEnds) {
    writeMediumPrograms();
    writeInstallation();
    start("");
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(prompts_.shown.size(), 1u);
    EXPECT_TRUE(prompts_.shown[0].question);
    EXPECT_EQ(prompts_.shown[0].text, install::kReinstallQuestion);

    prompts_.shown.clear();
    prompts_.answers = {true};
    start("");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].mode, WizardMode::kInstall);
}

TEST_F(InstallerStartupTest, AMediumWithoutTheProgramsEnds) {
    root_.writeFile("medium/INSTALL.INI", "[INSTALL]\r\n");
    EXPECT_EQ(start(""), 1);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(lastBox().text, install::kMediumNotFoundMessage);
}

TEST_F(InstallerStartupTest, AnInstallationStartsFromTheMediumsPrefilledAnswers) {
    writeMediumPrograms();
    // A scratch file a previous run left behind is not read.
    root_.writeFile("C/Windows/MSTMPFILE.TMP", "[ESTAB]\r\nCNPJ=99999999999999\r\n");
    root_.writeFile("medium/INSTALL.INI",
                    "[INSTALL]\r\nTipoDados=1\r\n[SERVER]\r\nTIPO=1\r\nMODO=2\r\n"
                    "[DIAL]\r\nDIALUP=Loja\r\nTO=60\r\n[ESTAB]\r\nCNPJ=12345678000195\r\n");
    start("");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].title, install::kInstallationTitle);
    EXPECT_EQ(opened[0].mediumDir, mediumDir());
    EXPECT_EQ(opened[0].answers.server.tipo, "1");
    EXPECT_EQ(opened[0].answers.estab.cnpj, "12345678000195");
    EXPECT_EQ(opened[0].answers.trace.path, mediumDir());
    const std::string scratch = install::scratchFilePath();
    EXPECT_EQ(platform::iniGetString(scratch, "TRACE", "PATH", ""), mediumDir());
    EXPECT_EQ(platform::iniGetString(scratch, "ESTAB", "CNPJ", "none"), "none");
}

TEST_F(InstallerStartupTest, TheConfiguratorWorksOnTheInstallation) {
    writeInstallation();
    start("2");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].mode, WizardMode::kConfigure);
    EXPECT_EQ(opened[0].title, install::kConfiguratorTitle);
    EXPECT_EQ(opened[0].mediumDir, root_.native("C/Vantrix"));
    EXPECT_EQ(opened[0].answers.server.tipo, "2");
    EXPECT_EQ(std::count(opened[0].pages.begin(), opened[0].pages.end(),
                         install::Page::kEstablishment),
              0);

    start("1");
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].mode, WizardMode::kPinPadOnly);
    EXPECT_EQ(opened[1].pages, std::vector<install::Page>{install::Page::kPinPad});
}

}  // namespace
}  // namespace vtx::installer
