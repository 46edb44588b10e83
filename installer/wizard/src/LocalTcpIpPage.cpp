#include "LocalTcpIpPage.h"

#include <QFormLayout>
#include <QLineEdit>

namespace vtx::installer {

LocalTcpIpPage::LocalTcpIpPage(InstallWizard& wizard)
    : AnswersPage(install::Page::kLocalTcpIp, wizard) {
    setTitle(QStringLiteral("TCP/IP local"));
    setSubTitle(QStringLiteral("Informe o endereço IP e a porta socket do acesso local."));
    auto* form = new QFormLayout(this);
    address_ = addLineEdit(form, QStringLiteral("Endereço IP:"), "TCPIP");
    port_ = addLineEdit(form, QStringLiteral("Porta socket:"), "PORTA");
}

void LocalTcpIpPage::load(const install::InstallAnswers& answers) {
    setFieldText(address_, answers.ipLocal.tcpip);
    setFieldText(port_, answers.ipLocal.porta);
}

void LocalTcpIpPage::store(install::InstallAnswers& answers) const {
    answers.ipLocal.tcpip = fieldText(address_);
    answers.ipLocal.porta = fieldText(port_);
}

}  // namespace vtx::installer
