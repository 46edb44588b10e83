// The PIN pad page: the models of the medium's PinPad.ini in list order, the
// serial port shown as COMn and kept 0-based, the pre-filled choices selected.
#include "WizardHarness.h"

namespace vtx::install {
namespace {

class PinPadPageTest : public WizardTest {
protected:
    void SetUp() override { writePinPadIni({"PPSIM", "VERIFONE", "INGENICO"}); }
};

TEST_F(PinPadPageTest, ListsTheModelsAndSelectsThePrefilledChoices) {
    install::InstallDescription description;
    description.tipoDados = true;
    description.prefilled = kindAndMode(2);
    description.prefilled->pinpad = {"1", "2", "3", "2"};  // 32-bit, PIN pad reader, model 3, COM3
    open(*description.prefilled, description);
    walkTo(Page::kPinPad);
    QComboBox* models = combo("ModeloPin");
    ASSERT_EQ(models->count(), 3);
    EXPECT_EQ(models->itemText(0), "PPSIM");
    EXPECT_EQ(models->itemText(2), "INGENICO");
    EXPECT_EQ(models->currentText(), "INGENICO");
    EXPECT_EQ(combo("Aplic_Type")->currentIndex(), 1);
    EXPECT_EQ(combo("Leitor_Type")->currentIndex(), 2);
    EXPECT_EQ(combo("Serial_Port")->currentText(), "COM3");

    models->setCurrentIndex(1);
    combo("Serial_Port")->setCurrentIndex(3);
    const install::InstallAnswers kept = current()->pageAnswers();
    EXPECT_EQ(kept.pinpad.modeloPin, "2");  // "0002" of the list
    EXPECT_EQ(kept.pinpad.serialPort, "3");  // COM4
}

}  // namespace
}  // namespace vtx::install
