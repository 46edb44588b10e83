#include "InstallWizard.h"

#include <algorithm>

#include "AddressTranslationPage.h"
#include "CoreText.h"
#include "DialUpPage.h"
#include "EstablishmentPage.h"
#include "KindPage.h"
#include "LocalTcpIpPage.h"
#include "PinPadPage.h"
#include "ReviewPage.h"
#include "ServerMediumPage.h"
#include "StationPage.h"
#include "WizardPrompts.h"
#include "vtx/installer/Configuration.h"
#include "vtx/platform/IniFile.h"

namespace vtx::install {

using install::Page;

InstallWizard::InstallWizard(install::InstallAnswers answers,
                             install::InstallDescription description, WizardSetup setup,
                             WizardPrompts& prompts, QWidget* parent)
    : QWizard(parent),
      answers_(std::move(answers)),
      description_(std::move(description)),
      setup_(std::move(setup)),
      prompts_(prompts) {
    setWindowTitle(fromCore(setup_.title));
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    setButtonText(QWizard::BackButton, QStringLiteral("< Voltar"));
    setButtonText(QWizard::NextButton, QStringLiteral("Avançar >"));
    setButtonText(QWizard::FinishButton, QStringLiteral("Concluir"));
    setButtonText(QWizard::CancelButton, QStringLiteral("Cancelar"));

    setPage(pageId(Page::kKind), new KindPage(*this));
    setPage(pageId(Page::kDialUp), new DialUpPage(*this));
    setPage(pageId(Page::kAddressTranslation), new AddressTranslationPage(*this));
    setPage(pageId(Page::kLocalTcpIp), new LocalTcpIpPage(*this));
    setPage(pageId(Page::kEstablishment), new EstablishmentPage(*this));
    setPage(pageId(Page::kServerMedium), new ServerMediumPage(*this));
    setPage(pageId(Page::kStation), new StationPage(*this));
    setPage(pageId(Page::kPinPad), new PinPadPage(*this));
    setPage(pageId(Page::kReview), new ReviewPage(*this));

    const std::vector<Page> pages = visitedPages(answers_);
    if (!pages.empty()) setStartId(pageId(pages.front()));
}

std::vector<Page> InstallWizard::visitedPages(const install::InstallAnswers& answers) const {
    if (setup_.mode == WizardMode::kPinPadOnly) return {Page::kPinPad};
    std::vector<Page> pages = install::pagesFor(answers, description_);
    if (setup_.mode == WizardMode::kConfigure) {
        // The establishment was registered by the installation; the
        // configurator changes the station's access, not its identity.
        std::erase(pages, Page::kEstablishment);
    }
    return pages;
}

int InstallWizard::nextPageId(Page page, const install::InstallAnswers& answers) const {
    const std::vector<Page> pages = visitedPages(answers);
    auto at = std::find(pages.begin(), pages.end(), page);
    if (at == pages.end() || ++at == pages.end()) return -1;
    return pageId(*at);
}

void InstallWizard::keepAnswers(const install::InstallAnswers& answers) {
    answers_ = answers;
    // The scratch file only mirrors the answers held here, which the
    // configuration step uses: a write that fails loses nothing.
    platform::iniWrite(install::scratchFilePath(), install::answerWrites(answers_));
}

AnswersPage* InstallWizard::answersPage(Page page) const {
    return dynamic_cast<AnswersPage*>(QWizard::page(pageId(page)));
}

void InstallWizard::accept() {
    // Finish comes from the last page, whose answers are not kept until its
    // check passed: without this the configuration would miss them.
    if (!validateCurrentPage()) return;
    const std::vector<Page> pages = visitedPages(answers_);
    install::PlanOptions planOptions;
    planOptions.copyMedium = setup_.mode == WizardMode::kInstall;
    planOptions.startPrograms = setup_.mode == WizardMode::kInstall;
    planOptions.pinPadAsked = std::find(pages.begin(), pages.end(), Page::kPinPad) != pages.end();

    const install::PlanResult planned =
        install::planConfiguration(answers_, description_, setup_.mediumDir, planOptions);
    if (!planned.plan) {
        failed(planned.error);
        return;
    }
    const install::ApplyReport applied = install::applyConfiguration(*planned.plan);
    if (!applied.ok) {
        failed(applied.error);
        return;
    }
    if (!planned.plan->finalMessage.empty()) {
        prompts_.message(install::kInstallationTitle, planned.plan->finalMessage);
    }
    QWizard::accept();
}

void InstallWizard::failed(const std::string& detail) {
    std::string text = install::kInstallFailedMessage;
    if (!detail.empty()) text += "\r\n" + detail;
    prompts_.message(setup_.title, text);
}

}  // namespace vtx::install
