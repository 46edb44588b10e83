#include "vtx/installer/UnattendedInstall.h"

#include <cstdlib>
#include <filesystem>
#include <ostream>

#include "vtx/installer/Configuration.h"
#include "vtx/installer/InstallMedium.h"
#include "vtx/installer/InstallSession.h"
#include "vtx/installer/PageChecks.h"
#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/Cp1252.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::install {

namespace {

// A message of the installer (Windows-1252, CR LF line ends) as a terminal
// shows it.
std::string forTerminal(std::string_view message) {
    std::string text = platform::cp1252ToUtf8(message);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

// The answers section each page's answers are kept in.
const char* sectionOf(Page page) {
    switch (page) {
    case Page::kKind: return "SERVER";
    case Page::kDialUp: return "DIAL";
    case Page::kAddressTranslation: return "IPNAT";
    case Page::kLocalTcpIp: return "IPLOCAL";
    case Page::kEstablishment: return "ESTAB";
    case Page::kStation: return "ESTACAO";
    case Page::kPinPad: return "PINPAD";
    case Page::kServerMedium:
    case Page::kReview: return nullptr;
    }
    return nullptr;
}

bool holds(const std::vector<std::string>& sections, std::string_view name) {
    for (const std::string& section : sections) {
        if (platform::equalsIgnoreCase(section, name)) return true;
    }
    return false;
}

class Run {
public:
    Run(const UnattendedOptions& options, std::ostream& out, std::ostream& err)
        : options_(options), out_(out), err_(err) {}

    int operator()();

private:
    int fail(std::string_view message) {
        err_ << "InstallVtx: " << forTerminal(message) << "\n";
        return 1;
    }
    void say(std::string_view message) { out_ << forTerminal(message) << "\n"; }

    const UnattendedOptions& options_;
    std::ostream& out_;
    std::ostream& err_;
};

int Run::operator()() {
    auto lock = takeInstallerLock();
    if (!lock) return fail("outra instala\xE7\xE3o ou configura\xE7\xE3o est\xE1 em andamento nesta esta\xE7\xE3o");
    if (linkAgentRunning()) return fail(kLinkAgentRunningMessage);

    auto file = loadAnswersFile(options_.answersFile);
    if (!file) return fail("n\xE3o foi poss\xEDvel ler o arquivo de respostas " + options_.answersFile);
    std::vector<std::string> sections;
    InstallAnswers answers = readAnswers(*file, &sections);

    std::string medium = options_.mediumDir.empty() ? defaultMediumDir() : options_.mediumDir;
    std::error_code ec;
    if (auto absolute = std::filesystem::absolute(medium, ec); !ec) medium = absolute.string();
    if (auto missing = missingProgram(medium)) {
        return fail(std::string(kMediumNotFoundMessage) + "\r\n(" + *missing + " n\xE3o est\xE1 em " +
                    medium + ")");
    }
    const InstallDescription description =
        readInstallDescription(platform::joinPath(medium, "INSTALL.INI"));
    answers.trace.path = medium;

    const std::vector<Page> pages = pagesFor(answers, description);
    for (Page page : pages) {
        const char* section = sectionOf(page);
        if (section != nullptr && !holds(sections, section)) {
            return fail(std::string("o arquivo de respostas ") + options_.answersFile +
                        " n\xE3o tem a se\xE7\xE3o [" + section + "], que esta instala\xE7\xE3o pede (" +
                        kindCaption(answers.kind()) + ", " +
                        accessModeCaption(answers.accessMode(), answers.dial.dialup) + ")");
        }
        if (auto failure = checkPage(page, answers, description)) {
            return fail(failure->message + "\r\n(" + (section != nullptr ? section : "") + "/" +
                        failure->field + ")");
        }
        if (page == Page::kServerMedium) {
            const std::string mark = serverMarkPath(answers.server.drive);
            if (!std::filesystem::exists(mark, ec)) {
                return fail(std::string(kServerUnreachableMessage) + "\r\n(" + mark +
                            " n\xE3o existe: o servidor ainda n\xE3o foi instalado)");
            }
        }
    }

    const bool reinstall = alreadyInstalled();
    PlanOptions planOptions;
    planOptions.pinPadAsked = !description.ativaEstacao;
    PlanResult planned = planConfiguration(answers, description, medium, planOptions);
    if (!planned.plan) return fail(std::string(kInstallFailedMessage) + "\r\n" + planned.error);
    ConfigurationPlan& plan = *planned.plan;
    // The client needs a screen; a run without one (a script, a service's
    // shell) leaves it for the operator to start.
    const bool screen = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
    std::string clientLeft;
    if (!screen) {
        std::erase_if(plan.starts, [&clientLeft](const std::string& program) {
            const bool client = std::filesystem::path(program).filename() == kClientProgram;
            if (client) clientLeft = program;
            return client;
        });
    }

    // The scratch answers, as the wizard leaves them.
    platform::iniWrite(scratchFilePath(), answerWrites(answers));

    say((reinstall || !plan.firstInstallation ? "Reinstala\xE7\xE3o" : "Instala\xE7\xE3o") +
        std::string(": ") + kindCaption(answers.kind()) + ", " +
        accessModeCaption(answers.accessMode(), answers.dial.dialup) + ", em " +
        plan.location.installDir + " (" + platform::resolve(plan.location.installDir) + ")");
    ApplyReport report = applyConfiguration(plan);
    for (const std::string& line : report.done) say(line);
    if (!clientLeft.empty() && report.ok)
        say("n\xE3o iniciado (sem tela) " + clientLeft);
    if (!report.ok) return fail(std::string(kInstallFailedMessage) + "\r\n" + report.error);
    if (!plan.finalMessage.empty()) say(plan.finalMessage);
    return 0;
}

}  // namespace

int runUnattended(const UnattendedOptions& options, std::ostream& out, std::ostream& err) {
    try {
        return Run(options, out, err)();
    } catch (const std::exception& e) {
        err << "InstallVtx: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace vtx::install
