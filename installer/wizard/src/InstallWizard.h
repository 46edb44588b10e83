// InstallWizard: the installer's wizard over the configuration core. It holds
// the answers and the installation medium's description; each page copies its
// fields into the answers only once the page's check has passed, and then the
// answers go to the scratch file MSTMPFILE.TMP. The pages visited follow the
// installation kind and access mode (pagesFor), so they are worked out again
// whenever the kind page changes them. Finishing runs the configuration step;
// a failure keeps the wizard open.
//
// Three uses: the installation from a medium, the configurator on an existing
// installation (no establishment page, nothing copied, nothing started) and
// the configurator's PIN pad page alone.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QWizard>
#include <string>
#include <vector>

#include "vtx/installer/InstallAnswers.h"
#include "vtx/installer/InstallDescription.h"
#include "vtx/installer/InstallSession.h"
#include "vtx/installer/PageChecks.h"

namespace vtx::install {

class AnswersPage;
class WizardPrompts;

enum class WizardMode { kInstall, kConfigure, kPinPadOnly };

struct WizardSetup {
    WizardMode mode = WizardMode::kInstall;
    // Native folder of PinPad.ini and of what the configuration step copies:
    // the medium, or the installation directory for the configurator.
    std::string mediumDir;
    // The window's title and the title of its failure boxes (Windows-1252).
    std::string title = install::kInstallationTitle;
    // The server medium page: how often it looks for the server's mark and
    // how long it waits before the wizard is cancelled.
    int mediumPollMs = 1000;
    int mediumWaitMs = install::kServerMediumWaitMs;
};

class InstallWizard : public QWizard {
public:
    InstallWizard(install::InstallAnswers answers, install::InstallDescription description,
                  WizardSetup setup, WizardPrompts& prompts, QWidget* parent = nullptr);

    const install::InstallAnswers& answers() const { return answers_; }
    const install::InstallDescription& description() const { return description_; }
    const WizardSetup& setup() const { return setup_; }
    WizardPrompts& prompts() { return prompts_; }

    // The pages visited with these answers, in order, for this wizard's use.
    std::vector<install::Page> visitedPages(const install::InstallAnswers& answers) const;
    // The id of the page after `page` with these answers; -1 at the end.
    int nextPageId(install::Page page, const install::InstallAnswers& answers) const;

    // A page's checked answers: kept, and written to the scratch file.
    void keepAnswers(const install::InstallAnswers& answers);

    AnswersPage* answersPage(install::Page page) const;

    // Checks the last page, then runs the configuration step; closes the
    // wizard only when both succeeded.
    void accept() override;

private:
    void failed(const std::string& detail);

    install::InstallAnswers answers_;
    install::InstallDescription description_;
    WizardSetup setup_;
    WizardPrompts& prompts_;
};

// The page's id in the wizard.
inline int pageId(install::Page page) { return static_cast<int>(page); }

}  // namespace vtx::install
