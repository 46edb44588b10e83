#include "DialUpPage.h"

#include <QFormLayout>
#include <QLineEdit>

namespace vtx::installer {

DialUpPage::DialUpPage(InstallWizard& wizard) : AnswersPage(install::Page::kDialUp, wizard) {
    setTitle(QStringLiteral("Acesso discado"));
    setSubTitle(QStringLiteral("Informe a conexão dial-up e o tempo de desconexão."));
    auto* form = new QFormLayout(this);
    connection_ = addLineEdit(form, QStringLiteral("Nome da conexão:"), "DIALUP");
    idleTime_ = addLineEdit(form, QStringLiteral("Tempo de desconexão (segundos):"), "TO");
}

void DialUpPage::load(const install::InstallAnswers& answers) {
    setFieldText(connection_, answers.dial.dialup);
    setFieldText(idleTime_, answers.dial.to);
}

void DialUpPage::store(install::InstallAnswers& answers) const {
    answers.dial.dialup = fieldText(connection_);
    answers.dial.to = fieldText(idleTime_);
}

}  // namespace vtx::installer
