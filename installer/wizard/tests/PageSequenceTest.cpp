// The pages follow the kind and access mode chosen on the kind page, the
// configurator's uses leave out the establishment or show the PIN pad
// alone, and the scratch file gets a page's answers only once it passed.
#include "WizardHarness.h"
#include "vtx/platform/IniFile.h"

namespace vtx::install {
namespace {

class PageSequenceTest : public WizardTest {
protected:
    // Walks the whole wizard with valid answers: every page shown, in order.
    std::vector<Page> walkAll() {
        std::vector<Page> shown{currentPage()};
        QObject::connect(&wizard(), &QWizard::currentIdChanged, &wizard(),
                         [&shown](int id) { shown.push_back(static_cast<Page>(id)); });
        for (int step = 0; step < 12 && wizard().currentPage()->nextId() != -1; ++step) {
            fillValid();
            if (currentPage() == Page::kServerMedium) {
                EXPECT_TRUE(waitFor([&] { return currentPage() != Page::kServerMedium; }));
            } else if (!next()) {
                ADD_FAILURE() << "refused: " << lastText();
                break;
            }
        }
        QObject::disconnect(&wizard(), &QWizard::currentIdChanged, &wizard(), nullptr);
        return shown;
    }
    size_t count(const std::vector<Page>& pages, Page page) {
        return static_cast<size_t>(std::count(pages.begin(), pages.end(), page));
    }
};

TEST_F(PageSequenceTest, EachKindAndModeChosenOnTheKindPageDecidesThePages) {
    writeServerMark();
    for (int kind = 0; kind <= install::kCheckout; ++kind) {
        for (int mode = 0; mode <= install::kTraducaoEndereco; ++mode) {
            SCOPED_TRACE("kind " + std::to_string(kind) + " mode " + std::to_string(mode));
            open();  // a server on a dedicated link until the kind page says otherwise
            combo("TIPO")->setCurrentIndex(kind);
            combo("MODO")->setCurrentIndex(mode);
            const std::vector<Page> shown = walkAll();
            EXPECT_EQ(shown, install::pagesFor(kindAndMode(kind, mode), {}));
            const bool holdsInstallation = kind <= install::kMonoUsuario;
            EXPECT_EQ(count(shown, Page::kDialUp), holdsInstallation && mode == install::kDiscado);
            EXPECT_EQ(count(shown, Page::kEstablishment), holdsInstallation ? 1u : 0u);
            EXPECT_EQ(count(shown, Page::kStation), kind >= install::kEstacao ? 1u : 0u);
            EXPECT_EQ(count(shown, Page::kPinPad), kind != install::kServidor ? 1u : 0u);
        }
    }
}

TEST_F(PageSequenceTest, TheConfiguratorAsksNoEstablishmentAndThePinPadAloneOnlyThat) {
    WizardSetup setup;
    setup.mode = WizardMode::kConfigure;
    open(kindAndMode(2, 2), {}, setup);
    std::vector<Page> shown = walkAll();
    EXPECT_EQ(count(shown, Page::kEstablishment), 0u);
    EXPECT_EQ(count(shown, Page::kDialUp), 1u);
    EXPECT_EQ(count(shown, Page::kPinPad), 1u);

    setup.mode = WizardMode::kPinPadOnly;
    open({}, {}, setup);  // a server: its installation has no PIN pad page
    EXPECT_EQ(walkAll(), std::vector<Page>{Page::kPinPad});
}

TEST_F(PageSequenceTest, ScratchFileHoldsAPageOnlyAfterItsCheckPassed) {
    const std::string scratch = install::scratchFilePath();
    open(kindAndMode(2));
    walkTo(Page::kEstablishment);
    fillValid();
    type("CNPJ", "12345678000196");
    type("FANTASIA", "");
    EXPECT_FALSE(next());
    EXPECT_NE(platform::iniGetString(scratch, "ESTAB", "CNPJ", ""), "12345678000196");
    type("FANTASIA", "Padaria São João");
    ASSERT_TRUE(next());
    EXPECT_EQ(platform::iniGetString(scratch, "ESTAB", "CNPJ", ""), "12345678000196");
    // Windows-1252 in the file, as every INI file of the station.
    EXPECT_EQ(platform::iniGetString(scratch, "ESTAB", "FANTASIA", ""), "Padaria S\xE3o Jo\xE3o");
}

}  // namespace
}  // namespace vtx::install
