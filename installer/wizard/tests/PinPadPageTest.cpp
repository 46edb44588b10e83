// The PIN pad page: the models of the medium's PinPad.ini in list order, the
// serial port shown as COMn and kept 0-based, the pre-filled choices
// selected, the first entries otherwise.
#include "WizardHarness.h"
#include "vtx/installer/InstallSession.h"
#include "vtx/platform/IniFile.h"

namespace vtx::installer {
namespace {

using install::Page;

class PinPadPageTest : public WizardTest {
protected:
    void SetUp() override { writePinPadIni({"PPSIM", "VERIFONE", "INGENICO"}); }

    void openAtPinPad(const install::InstallDescription& description) {
        WizardSetup setup;
        setup.mode = WizardMode::kPinPadOnly;
        open(description.prefilled.value_or(install::InstallAnswers{}), description, setup);
        ASSERT_EQ(currentPage(), Page::kPinPad);
    }
};

TEST_F(PinPadPageTest, ListsTheModelsAndSelectsThePrefilledChoices) {
    install::InstallDescription description;
    description.tipoDados = true;
    description.prefilled.emplace();
    description.prefilled->pinpad.modeloPin = "3";
    description.prefilled->pinpad.aplicType = "1";
    description.prefilled->pinpad.leitorType = "2";
    description.prefilled->pinpad.serialPort = "2";
    openAtPinPad(description);

    QComboBox* models = combo("ModeloPin");
    ASSERT_EQ(models->count(), 3);
    EXPECT_EQ(models->itemText(0), "PPSIM");
    EXPECT_EQ(models->itemText(1), "VERIFONE");
    EXPECT_EQ(models->itemText(2), "INGENICO");
    EXPECT_EQ(models->currentText(), "INGENICO");
    EXPECT_EQ(combo("Aplic_Type")->currentIndex(), 1);
    EXPECT_EQ(combo("Leitor_Type")->currentIndex(), 2);
    EXPECT_EQ(combo("Serial_Port")->currentText(), "COM3");
}

TEST_F(PinPadPageTest, WithoutPrefilledAnswersTheFirstEntries) {
    openAtPinPad({});
    EXPECT_EQ(combo("ModeloPin")->currentText(), "PPSIM");
    EXPECT_EQ(combo("Aplic_Type")->currentIndex(), 0);
    EXPECT_EQ(combo("Serial_Port")->currentText(), "COM1");
}

TEST_F(PinPadPageTest, TheChoicesGoToTheAnswersAsNumbers) {
    // A station: the PIN pad page is not its last, so Next keeps its answers.
    install::InstallAnswers answers;
    answers.server.tipo = "2";
    install::InstallDescription description;
    description.tipoDados = true;
    description.prefilled = answers;
    open(answers, description);
    walkTo(Page::kPinPad);
    combo("ModeloPin")->setCurrentIndex(1);
    combo("Serial_Port")->setCurrentIndex(3);
    combo("Aplic_Type")->setCurrentIndex(1);
    const auto kept = current()->pageAnswers();
    EXPECT_EQ(kept.pinpad.modeloPin, "2");  // "0002" of the list
    EXPECT_EQ(kept.pinpad.serialPort, "3");  // COM4
    EXPECT_EQ(kept.pinpad.aplicType, "1");
}

}  // namespace
}  // namespace vtx::installer
