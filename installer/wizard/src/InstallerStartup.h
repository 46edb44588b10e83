// The installer's start-up with a window, from its command line to the
// wizard it opens: the single-instance lock (taken before the scratch
// answers are started empty, which belong to the installer holding it), a
// running LinkAgent refused (except for the PIN pad alone), then
// the configurator (argument "2...": the existing installation's answers, no
// establishment page; "1...": the PIN pad page alone; both on the
// installation directory, copying and starting nothing) or the installation
// from the medium (the reinstall question, the medium's programs, its
// INSTALL.INI, the medium recorded under TRACE/PATH).
//
// The wizard is shown through `exec`, so tests can drive it without an
// event loop of its own.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <functional>
#include <string>

#include "InstallWizard.h"

namespace vtx::install {

class WizardPrompts;

class InstallerStartup {
public:
    // Shows the wizard and returns when it closed: true when it finished.
    using Exec = std::function<bool(InstallWizard&)>;

    InstallerStartup(WizardPrompts& prompts, Exec exec) : prompts_(prompts), exec_(std::move(exec)) {}

    // The wizard's server-medium timing (tests shorten it).
    void setMediumTiming(int pollMs, int waitMs);

    // `argument` is the command line's first argument ("" when none);
    // `mediumDir` the native medium folder. The exit status: 0 when the
    // configuration was written, 1 otherwise.
    int run(const std::string& argument, const std::string& mediumDir);

private:
    int configure(WizardMode mode);
    int install(const std::string& mediumDir);
    int runWizard(install::InstallAnswers answers, install::InstallDescription description,
                  WizardSetup options);

    WizardPrompts& prompts_;
    Exec exec_;
    WizardSetup timing_;
};

}  // namespace vtx::install
