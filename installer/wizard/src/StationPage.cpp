#include "StationPage.h"

#include <QFormLayout>
#include <QLineEdit>

namespace vtx::installer {

StationPage::StationPage(InstallWizard& wizard) : AnswersPage(install::Page::kStation, wizard) {
    setTitle(QStringLiteral("Estação"));
    setSubTitle(QStringLiteral("Informe o drive da estação."));
    auto* form = new QFormLayout(this);
    drive_ = addLineEdit(form, QStringLiteral("Drive da estação:"), "DRIVEEST");
}

void StationPage::load(const install::InstallAnswers& answers) {
    setFieldText(drive_, answers.estacao.driveEst);
}

void StationPage::store(install::InstallAnswers& answers) const {
    answers.estacao.driveEst = fieldText(drive_);
}

}  // namespace vtx::installer
