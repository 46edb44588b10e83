#include "StationPage.h"

#include <QFormLayout>

namespace vtx::install {

StationPage::StationPage(InstallWizard& wizard) : AnswersPage(install::Page::kStation, wizard) {
    setTitle(QStringLiteral("Estação"));
    setSubTitle(QStringLiteral("Informe o drive da estação."));
    auto* form = new QFormLayout(this);
    addLineEdit(form, QStringLiteral("Drive da estação:"), "DRIVEEST",
                [](install::InstallAnswers& a) -> std::string& { return a.estacao.driveEst; });
}

}  // namespace vtx::install
