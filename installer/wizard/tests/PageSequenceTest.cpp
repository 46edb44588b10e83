// The pages follow the installation kind and access mode chosen on the kind
// page (worked out again once it is left), the configurator's uses leave out
// the establishment or show the PIN pad alone, and the scratch file receives
// a page's answers only once its check passed.
#include <algorithm>

#include "WizardHarness.h"
#include "vtx/installer/InstallSession.h"
#include "vtx/platform/IniFile.h"

namespace vtx::installer {
namespace {

using install::Page;

class PageSequenceTest : public WizardTest {
protected:
    // Walks the whole wizard with valid answers, the pages in the order shown.
    std::vector<Page> walkAll() {
        // Every page shown, those that go on by themselves too.
        std::vector<Page> shown{currentPage()};
        QObject::connect(&wizard(), &QWizard::currentIdChanged, &wizard(),
                         [&shown](int id) { shown.push_back(static_cast<Page>(id)); });
        for (int step = 0; step < 12 && wizard().currentPage()->nextId() != -1; ++step) {
            fillValid();
            if (currentPage() == Page::kServerMedium) {
                EXPECT_TRUE(waitFor([&] { return currentPage() != Page::kServerMedium; }));
            } else if (!next()) {
                ADD_FAILURE() << "refused: " << lastBox().text;
                break;
            }
        }
        QObject::disconnect(&wizard(), &QWizard::currentIdChanged, &wizard(), nullptr);
        return shown;
    }
};

TEST_F(PageSequenceTest, EachKindAndModeVisitsItsPagesOnly) {
    writeServerMark();
    writePinPadIni({"PPSIM"});
    for (int kind = 0; kind <= install::kCheckout; ++kind) {
        for (int mode = 0; mode <= install::kTraducaoEndereco; ++mode) {
            SCOPED_TRACE("kind " + std::to_string(kind) + " mode " + std::to_string(mode));
            // Opened as a server on a dedicated link: the kind page's choice decides.
            open();
            combo("TIPO")->setCurrentIndex(kind);
            combo("MODO")->setCurrentIndex(mode);
            const std::vector<Page> shown = walkAll();
            install::InstallAnswers chosen;
            chosen.server.tipo = std::to_string(kind);
            chosen.server.modo = std::to_string(mode);
            EXPECT_EQ(shown, install::pagesFor(chosen, {}));
            auto has = [&shown](Page p) { return std::count(shown.begin(), shown.end(), p) == 1; };
            EXPECT_EQ(has(Page::kDialUp), mode == install::kDiscado);
            EXPECT_EQ(has(Page::kLocalTcpIp), mode == install::kIpLocal);
            EXPECT_EQ(has(Page::kAddressTranslation), mode == install::kTraducaoEndereco);
            EXPECT_EQ(has(Page::kEstablishment), kind <= install::kMonoUsuario);
            EXPECT_EQ(has(Page::kServerMedium), kind >= install::kEstacao);
            EXPECT_EQ(has(Page::kStation), kind >= install::kEstacao);
            EXPECT_EQ(has(Page::kPinPad), kind != install::kServidor);
        }
    }
}

TEST_F(PageSequenceTest, AtivaEstacaoLeavesOutThePinPad) {
    install::InstallDescription description;
    description.ativaEstacao = true;
    install::InstallAnswers answers;
    answers.server.tipo = "2";
    open(answers, description);
    const std::vector<Page> shown = walkAll();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), Page::kPinPad), 0);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), Page::kEstablishment), 1);
}

TEST_F(PageSequenceTest, TheConfiguratorAsksNoEstablishment) {
    writePinPadIni({"PPSIM"});
    install::InstallAnswers answers;
    answers.server.tipo = "2";
    answers.server.modo = "2";
    WizardSetup setup;
    setup.mode = WizardMode::kConfigure;
    open(answers, {}, setup);
    const std::vector<Page> shown = walkAll();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), Page::kEstablishment), 0);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), Page::kDialUp), 1);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), Page::kPinPad), 1);
}

TEST_F(PageSequenceTest, ThePinPadConfiguratorShowsThatPageAlone) {
    writePinPadIni({"PPSIM"});
    WizardSetup setup;
    setup.mode = WizardMode::kPinPadOnly;
    open({}, {}, setup);  // a server: its installation has no PIN pad page
    EXPECT_EQ(walkAll(), std::vector<Page>{Page::kPinPad});
}

TEST_F(PageSequenceTest, ScratchFileHoldsAPageOnlyAfterItsCheckPassed) {
    const std::string scratch = install::scratchFilePath();
    install::InstallAnswers answers;
    answers.server.tipo = "2";  // the PIN pad page follows the establishment
    open(answers);
    walkTo(Page::kEstablishment);
    fillValid();
    type("CNPJ", "12345678000196");
    type("FANTASIA", "");
    EXPECT_FALSE(next());
    EXPECT_NE(platform::iniGetString(scratch, "ESTAB", "CNPJ", ""), "12345678000196")
        << "a refused page wrote its answers";
    type("FANTASIA", "Padaria São João");
    ASSERT_TRUE(next());
    EXPECT_EQ(platform::iniGetString(scratch, "ESTAB", "CNPJ", ""), "12345678000196");
    // Windows-1252 in the file, as every INI file of the station.
    EXPECT_EQ(platform::iniGetString(scratch, "ESTAB", "FANTASIA", ""), "Padaria S\xE3o Jo\xE3o");
    EXPECT_EQ(platform::iniGetString(scratch, "SERVER", "TIPO", ""), "2");
}

}  // namespace
}  // namespace vtx::installer
