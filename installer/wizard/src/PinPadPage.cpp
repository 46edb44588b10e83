#include "PinPadPage.h"

#include <QComboBox>
#include <QFormLayout>

#include "CoreText.h"
#include "InstallWizard.h"
#include "vtx/installer/InstallMedium.h"
#include "vtx/installer/PinPadCatalogue.h"
#include "vtx/platform/Paths.h"

namespace vtx::install {

namespace {

constexpr int kSerialPorts = 8;


}  // namespace

PinPadPage::PinPadPage(InstallWizard& wizard) : AnswersPage(install::Page::kPinPad, wizard) {
    setTitle(QStringLiteral("PinPad"));
    setSubTitle(QStringLiteral("Escolha o modelo do PinPad, o tipo de aplicativo, o leitor e a porta."));
    auto* form = new QFormLayout(this);
    model_ = addComboBox(form, QStringLiteral("Modelo:"), "ModeloPin");
    aplicType_ = addComboBox(form, QStringLiteral("Tipo de aplicativo:"), "Aplic_Type");
    aplicType_->addItem(QStringLiteral("16 bits"), 0);
    aplicType_->addItem(QStringLiteral("32 bits"), 1);
    leitorType_ = addComboBox(form, QStringLiteral("Leitor de cartão:"), "Leitor_Type");
    leitorType_->addItem(QStringLiteral("Sem leitor (digitação)"), 0);
    leitorType_->addItem(QStringLiteral("Leitor no teclado"), 1);
    leitorType_->addItem(QStringLiteral("PinPad"), 2);
    serialPort_ = addComboBox(form, QStringLiteral("Porta serial:"), "Serial_Port");
    for (int port = 0; port < kSerialPorts; ++port) {
        serialPort_->addItem(QStringLiteral("COM%1").arg(port + 1), port);
    }
}

void PinPadPage::initializePage() {
    // The list is read when the page is entered: the medium may be the
    // installation directory the configurator found.
    model_->clear();
    const std::string& dir = installWizard().setup().mediumDir;
    const std::string file =
        install::mediumFile(dir, "PinPad.ini").value_or(platform::joinPath(dir, "PinPad.ini"));
    int modelNumber = 1;  // "0001"
    for (const std::string& model : install::pinPadModels(file)) {
        model_->addItem(fromCore(model), modelNumber++);
    }
    AnswersPage::initializePage();
}

void PinPadPage::load(const install::InstallAnswers& answers) {
    selectData(model_, answerNumber(answers.pinpad.modeloPin));
    selectData(aplicType_, answerNumber(answers.pinpad.aplicType));
    selectData(leitorType_, answerNumber(answers.pinpad.leitorType));
    selectData(serialPort_, answerNumber(answers.pinpad.serialPort));
}

void PinPadPage::store(install::InstallAnswers& answers) const {
    // An empty model list keeps the answer: the configuration step then
    // names the model PinPad.ini lacks.
    if (model_->currentIndex() >= 0) {
        answers.pinpad.modeloPin = std::to_string(model_->currentData().toInt());
    }
    answers.pinpad.aplicType = std::to_string(aplicType_->currentData().toInt());
    answers.pinpad.leitorType = std::to_string(leitorType_->currentData().toInt());
    answers.pinpad.serialPort = std::to_string(serialPort_->currentData().toInt());
}

}  // namespace vtx::install
