#include "LocalTcpIpPage.h"

#include <QFormLayout>

namespace vtx::install {

LocalTcpIpPage::LocalTcpIpPage(InstallWizard& wizard)
    : AnswersPage(install::Page::kLocalTcpIp, wizard) {
    setTitle(QStringLiteral("TCP/IP local"));
    setSubTitle(QStringLiteral("Informe o endereço IP e a porta socket do acesso local."));
    auto* form = new QFormLayout(this);
    addLineEdit(form, QStringLiteral("Endereço IP:"), "TCPIP",
                [](install::InstallAnswers& a) -> std::string& { return a.ipLocal.tcpip; });
    addLineEdit(form, QStringLiteral("Porta socket:"), "PORTA",
                [](install::InstallAnswers& a) -> std::string& { return a.ipLocal.porta; });
}

}  // namespace vtx::install
