// The wizard tests' fixture: a private VTX_ROOT, scripted boxes, a wizard
// shown on the offscreen platform, and the technician's moves through the
// widgets (typing into a field by its answer key, Next, filling a page with
// answers its check accepts).
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <memory>
#include <string>

#include "AnswersPage.h"
#include "InstallWizard.h"
#include "ScriptedPrompts.h"
#include "TestRoot.h"

namespace vtx::installer {

class WizardTest : public ::testing::Test {
protected:
    // Opens a wizard; `setup.mediumDir` defaults to the medium folder below.
    void open(install::InstallAnswers answers = {}, install::InstallDescription description = {},
              WizardSetup setup = {});

    InstallWizard& wizard() { return *wizard_; }
    AnswersPage* current() const;
    install::Page currentPage() const;

    QLineEdit* edit(const char* key) const;
    QComboBox* combo(const char* key) const;
    // Replaces the field's text (UTF-8) as typing would.
    void type(const char* key, const char* utf8);

    // Presses Next; true when the wizard moved to another page.
    bool next();
    // Fills the current page with answers its check accepts.
    void fillValid();
    // Walks from the current page with valid answers until `page` is shown;
    // fails the test when the walk ends elsewhere.
    void walkTo(install::Page page);

    // The server installation's mark the station pages wait for.
    void writeServerMark(const std::string& drive = "C:");
    // The medium's PinPad.ini listing these models.
    void writePinPadIni(const std::vector<std::string>& models);
    // The box shown last (fails the test when none was shown).
    ScriptedPrompts::Shown lastBox() const;
    bool focused(const char* key) const;

    std::string mediumDir() const { return root_.native("medium"); }

    vtx::test::TempRoot root_;
    ScriptedPrompts prompts_;
    std::unique_ptr<InstallWizard> wizard_;
};

// Processes the events posted so far (a few rounds).
void settle();
// Processes events until `done` holds or 20 s passed; returns `done()`.
bool waitFor(const std::function<bool()>& done);

}  // namespace vtx::installer
