// A whole installation walked through the widgets and finished, and the
// files it wrote in the private VTX_ROOT; a failing configuration step or a
// refused last page keeps the wizard open; a station ends with its message.
#include <QAbstractButton>

#include "WizardHarness.h"
#include "vtx/installer/Configuration.h"
#include "vtx/installer/InstallMedium.h"
#include "vtx/platform/IniFile.h"

namespace vtx::install {
namespace {

class FinishTest : public WizardTest {
protected:
    // A medium with the programs that starts neither LinkAgent nor the client.
    void openOnMedium(const install::InstallAnswers& answers) {
        for (const std::string& program : install::requiredPrograms()) {
            root_.writeFile("medium/" + program, "#!/bin/sh\n");
        }
        root_.writeFile("medium/INSTALL.INI", "[INSTALL]\r\nATIVA_LA=1\r\nATIVA_CLIENT=1\r\n");
        root_.writeFile("medium/VtxClient.ini", "[FormComplementar]\r\n");
        writePinPadIni({"PPSIM", "VERIFONE"});
        open(answers, install::readInstallDescription(root_.native("medium/INSTALL.INI")));
    }
    void finish() {
        wizard().button(QWizard::FinishButton)->click();
        settle();
    }
    static std::string core(const char* section, const char* key) {
        return platform::iniGetString("C:\\Vantrix\\CORE.INI", section, key, "<none>");
    }
};

TEST_F(FinishTest, AWalkedInstallationWritesTheStationsFiles) {
    openOnMedium({});
    combo("TIPO")->setCurrentIndex(install::kMonoUsuario);
    walkTo(Page::kEstablishment);
    fillValid();
    type("CNPJ", "123456780001952");
    ASSERT_TRUE(next());
    combo("ModeloPin")->setCurrentIndex(1);
    combo("Serial_Port")->setCurrentIndex(1);
    ASSERT_EQ(wizard().currentPage()->nextId(), -1);
    finish();

    EXPECT_EQ(wizard().result(), QDialog::Accepted) << lastText();
    EXPECT_EQ(platform::iniGetString("WINVTXCORE.INI", "CORE", "Path Server", ""), "C:\\Vantrix");
    EXPECT_EQ(core("CONFIG", "TIPOINSTALL"), "2");
    EXPECT_EQ(core("CONFIG", "MODOACESSO"), "0");
    EXPECT_EQ(core("CONFIG", "Estab_Code"), "123456780001952");
    EXPECT_EQ(core("CONFIG", "ModeloPin"), "2");
    EXPECT_EQ(core("PINPAD", "PINPORT"), "2");
    EXPECT_EQ(core("PINPAD", "PINPAD"), "VERIFONE");
    EXPECT_NE(platform::iniGetString("C:\\Vantrix\\VtxClient.ini", "FormComplementar",
                                     "lblNomeEstab", "")
                  .find("Padaria S\xE3o Jo\xE3o"),
              std::string::npos);
}

TEST_F(FinishTest, AFailedConfigurationKeepsTheWizardOpen) {
    openOnMedium({});
    ::unlink(root_.native("medium/" + std::string(install::kLinkAgentProgram)).c_str());
    walkTo(Page::kEstablishment);
    fillValid();
    finish();
    EXPECT_TRUE(wizard().isVisible());
    EXPECT_EQ(lastText().rfind(install::kInstallFailedMessage, 0), 0u) << lastText();
    EXPECT_EQ(core("CONFIG", "TIPOINSTALL"), "<none>");
}

TEST_F(FinishTest, TheLastPageIsCheckedBeforeTheConfiguration) {
    openOnMedium({});  // a server: the establishment is its last page
    walkTo(Page::kEstablishment);
    fillValid();
    type("DOC_INST", "");
    finish();
    EXPECT_TRUE(wizard().isVisible());
    EXPECT_EQ(lastText(), "Documento do instalador n\xE3o preenchido !");
    EXPECT_TRUE(focused("DOC_INST"));
    EXPECT_EQ(core("CONFIG", "TIPOINSTALL"), "<none>");
}

TEST_F(FinishTest, AStationEndsWithItsSuccessMessage) {
    writeServerMark();
    openOnMedium(kindAndMode(install::kEstacao));
    walkTo(Page::kPinPad);
    finish();
    EXPECT_EQ(wizard().result(), QDialog::Accepted) << lastText();
    ASSERT_FALSE(prompts_.shown.empty());
    EXPECT_EQ(prompts_.shown.back().title, install::kInstallationTitle);
    EXPECT_EQ(lastText(), install::kInstalledMessage);
}

}  // namespace
}  // namespace vtx::install
