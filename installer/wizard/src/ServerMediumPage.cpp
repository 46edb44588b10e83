#include "ServerMediumPage.h"

#include <unistd.h>

#include <QLabel>
#include <QVBoxLayout>

#include "CoreText.h"
#include "InstallWizard.h"
#include "WizardPrompts.h"
#include "vtx/installer/Configuration.h"
#include "vtx/installer/InstallSession.h"

namespace vtx::install {

ServerMediumPage::ServerMediumPage(InstallWizard& wizard)
    : AnswersPage(install::Page::kServerMedium, wizard) {
    setTitle(QStringLiteral("Servidor"));
    setSubTitle(QStringLiteral("Aguardando a instalação do servidor."));
    auto* layout = new QVBoxLayout(this);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    layout->addWidget(status_);
    layout->addStretch();
    poll_.setInterval(wizard.setup().mediumPollMs);
    bound_.setSingleShot(true);
    bound_.setInterval(wizard.setup().mediumWaitMs);
    connect(&poll_, &QTimer::timeout, this, &ServerMediumPage::look);
    connect(&bound_, &QTimer::timeout, this, &ServerMediumPage::gaveUp);
}

void ServerMediumPage::load(const install::InstallAnswers& answers) {
    status_->setText(QStringLiteral("Aguardando o arquivo %1 do servidor...")
                         .arg(fromCore(answers.server.drive + "\\VANTRIX\\INSTALL.TXT")));
}

void ServerMediumPage::initializePage() {
    AnswersPage::initializePage();
    markFound_ = false;
    poll_.start();
    bound_.start();
    // The wizard makes this page the current one after this returns: the
    // first look comes then, so a mark already there goes on at once.
    QTimer::singleShot(0, this, &ServerMediumPage::look);
}

void ServerMediumPage::cleanupPage() {
    stop();
    AnswersPage::cleanupPage();
}

bool ServerMediumPage::validatePage() {
    if (!markFound_ || !AnswersPage::validatePage()) return false;
    stop();
    return true;
}

bool ServerMediumPage::isComplete() const { return markFound_; }

void ServerMediumPage::look() {
    if (markFound_ || !poll_.isActive()) return;
    const std::string mark = install::serverMarkPath(installWizard().answers().server.drive);
    if (::access(mark.c_str(), F_OK) != 0) return;
    markFound_ = true;
    stop();
    Q_EMIT completeChanged();
    if (wizard() != nullptr && wizard()->currentPage() == this) wizard()->next();
}

void ServerMediumPage::gaveUp() {
    stop();
    installWizard().prompts().message(installWizard().setup().title,
                                      install::kServerUnreachableMessage);
    installWizard().reject();
}

void ServerMediumPage::stop() {
    poll_.stop();
    bound_.stop();
}

}  // namespace vtx::install
