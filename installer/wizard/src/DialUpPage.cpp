#include "DialUpPage.h"

#include <QFormLayout>

namespace vtx::install {

DialUpPage::DialUpPage(InstallWizard& wizard) : AnswersPage(install::Page::kDialUp, wizard) {
    setTitle(QStringLiteral("Acesso discado"));
    setSubTitle(QStringLiteral("Informe a conexão dial-up e o tempo de desconexão."));
    auto* form = new QFormLayout(this);
    addLineEdit(form, QStringLiteral("Nome da conexão:"), "DIALUP",
                [](install::InstallAnswers& a) -> std::string& { return a.dial.dialup; });
    addLineEdit(form, QStringLiteral("Tempo de desconexão (segundos):"), "TO",
                [](install::InstallAnswers& a) -> std::string& { return a.dial.to; });
}

}  // namespace vtx::install
