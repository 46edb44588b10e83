#include "InstallerStartup.h"

#include "WizardPrompts.h"
#include "vtx/installer/Configuration.h"
#include "vtx/installer/InstallMedium.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::install {

namespace {

install::InstallDescription descriptionIn(const std::string& dir) {
    return install::readInstallDescription(
        install::mediumFile(dir, "INSTALL.INI").value_or(platform::joinPath(dir, "INSTALL.INI")));
}

}  // namespace

void InstallerStartup::setMediumTiming(int pollMs, int waitMs) {
    timing_.mediumPollMs = pollMs;
    timing_.mediumWaitMs = waitMs;
}

int InstallerStartup::run(const std::string& argument, const std::string& mediumDir) {
    // The lock first: the scratch answers of another installer's open
    // window are its own.
    const auto lock = install::takeInstallerLock();
    if (!lock) return 1;
    install::startScratch();
    const bool pinPadOnly = argument.starts_with("1");
    if (!pinPadOnly && install::linkAgentRunning()) {
        prompts_.message(install::kConfiguratorTitle, install::kLinkAgentRunningMessage);
        return 1;
    }
    if (pinPadOnly) return configure(WizardMode::kPinPadOnly);
    if (argument.starts_with("2")) return configure(WizardMode::kConfigure);
    return install(mediumDir);
}

int InstallerStartup::configure(WizardMode mode) {
    install::InstallAnswers answers = install::installedAnswers();
    const std::string installDir = platform::resolve(install::locationFor(answers).installDir);
    install::InstallDescription description = descriptionIn(installDir);
    // The installation's own answers stand; the medium's pre-filled ones
    // belonged to the first installation.
    description.tipoDados = false;
    description.prefilled.reset();
    WizardSetup options = timing_;
    options.mode = mode;
    options.mediumDir = installDir;
    options.title = install::kConfiguratorTitle;
    return runWizard(std::move(answers), std::move(description), std::move(options));
}

int InstallerStartup::install(const std::string& mediumDir) {
    if (install::alreadyInstalled() &&
        !prompts_.question(install::kConfiguratorTitle, install::kReinstallQuestion)) {
        return 1;
    }
    if (install::missingProgram(mediumDir)) {
        prompts_.message(install::kConfiguratorTitle, install::kMediumNotFoundMessage);
        return 1;
    }
    install::InstallDescription description = descriptionIn(mediumDir);
    install::InstallAnswers answers = description.prefilled.value_or(install::InstallAnswers{});
    answers.trace.path = mediumDir;
    platform::iniWriteString(install::scratchFilePath(), "TRACE", "PATH", mediumDir);
    WizardSetup options = timing_;
    options.mode = WizardMode::kInstall;
    options.mediumDir = mediumDir;
    options.title = install::kInstallationTitle;
    return runWizard(std::move(answers), std::move(description), std::move(options));
}

int InstallerStartup::runWizard(install::InstallAnswers answers,
                                install::InstallDescription description, WizardSetup options) {
    InstallWizard wizard(std::move(answers), std::move(description), std::move(options), prompts_);
    return exec_(wizard) ? 0 : 1;
}

}  // namespace vtx::install
