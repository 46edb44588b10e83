// A whole installation walked through the widgets and finished: the files
// the configuration step wrote in the private VTX_ROOT; a configuration
// step that fails keeps the wizard open with the failure's message; a
// station ends with its success message.
#include <QAbstractButton>

#include "WizardHarness.h"
#include "vtx/installer/Configuration.h"
#include "vtx/installer/InstallMedium.h"
#include "vtx/installer/InstallSession.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::installer {
namespace {

using install::Page;

class FinishTest : public WizardTest {
protected:
    // A medium with the programs, a PIN pad list and a description that
    // starts neither LinkAgent nor the client.
    void writeMedium() {
        for (const std::string& program : install::requiredPrograms()) {
            root_.writeFile("medium/" + program, "#!/bin/sh\n");
        }
        root_.writeFile("medium/INSTALL.INI", "[INSTALL]\r\nATIVA_LA=1\r\nATIVA_CLIENT=1\r\n");
        root_.writeFile("medium/VtxClient.ini", "[FormComplementar]\r\n");
        writePinPadIni({"PPSIM", "VERIFONE"});
    }

    install::InstallDescription description() {
        return install::readInstallDescription(root_.native("medium/INSTALL.INI"));
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
    writeMedium();
    open({}, description());
    combo("TIPO")->setCurrentIndex(install::kMonoUsuario);
    combo("MODO")->setCurrentIndex(install::kDedicadoTcpIp);
    walkTo(Page::kEstablishment);
    fillValid();
    type("CNPJ", "123456780001952");
    ASSERT_TRUE(next());
    ASSERT_EQ(currentPage(), Page::kPinPad);
    combo("ModeloPin")->setCurrentIndex(1);
    combo("Serial_Port")->setCurrentIndex(1);
    ASSERT_EQ(wizard().currentPage()->nextId(), -1);
    finish();

    EXPECT_EQ(wizard().result(), QDialog::Accepted) << lastBox().text;
    EXPECT_FALSE(wizard().isVisible());
    EXPECT_EQ(platform::iniGetString("WINVTXCORE.INI", "CORE", "Path Server", ""), "C:\\Vantrix");
    EXPECT_EQ(core("CONFIG", "TIPOINSTALL"), "2");
    EXPECT_EQ(core("CONFIG", "MODOACESSO"), "0");
    EXPECT_EQ(core("CONFIG", "Estab_Code"), "123456780001952");
    EXPECT_EQ(core("CONFIG", "ModeloPin"), "2");
    EXPECT_EQ(core("CONFIG", "Serial_Port"), "1");
    EXPECT_EQ(core("PINPAD", "PINPORT"), "2");
    EXPECT_EQ(core("PINPAD", "PINPAD"), "VERIFONE");
    const std::string captions =
        platform::iniGetString("C:\\Vantrix\\VtxClient.ini", "FormComplementar", "lblNomeEstab", "");
    EXPECT_NE(captions.find("Padaria S\xE3o Jo\xE3o"), std::string::npos) << captions;
}

TEST_F(FinishTest, AFailedConfigurationKeepsTheWizardOpen) {
    writeMedium();
    ::unlink(root_.native("medium/" + std::string(install::kLinkAgentProgram)).c_str());
    open({}, description());
    walkTo(Page::kEstablishment);
    fillValid();
    finish();

    EXPECT_TRUE(wizard().isVisible());
    EXPECT_NE(wizard().result(), QDialog::Accepted);
    ASSERT_FALSE(prompts_.shown.empty());
    EXPECT_EQ(lastBox().text.rfind(install::kInstallFailedMessage, 0), 0u) << lastBox().text;
    EXPECT_EQ(core("CONFIG", "TIPOINSTALL"), "<none>");
}

TEST_F(FinishTest, TheLastPageIsCheckedBeforeTheConfiguration) {
    writeMedium();
    open({}, description());  // a server: the establishment is its last page
    walkTo(Page::kEstablishment);
    fillValid();
    type("DOC_INST", "");
    finish();

    EXPECT_TRUE(wizard().isVisible());
    EXPECT_EQ(lastBox().text, "Documento do instalador n\xE3o preenchido !");
    EXPECT_TRUE(focused("DOC_INST"));
    EXPECT_EQ(core("CONFIG", "TIPOINSTALL"), "<none>");
}

TEST_F(FinishTest, AStationEndsWithItsSuccessMessage) {
    writeMedium();
    writeServerMark();
    open({}, description());
    combo("TIPO")->setCurrentIndex(install::kEstacao);
    walkTo(Page::kPinPad);
    finish();

    EXPECT_EQ(wizard().result(), QDialog::Accepted) << lastBox().text;
    EXPECT_EQ(lastBox().title, install::kInstallationTitle);
    EXPECT_EQ(lastBox().text, install::kInstalledMessage);
}

}  // namespace
}  // namespace vtx::installer
