// The wizard tests' fixture: a private VTX_ROOT, scripted boxes, a wizard
// shown on the offscreen platform, and the technician's moves through the
// widgets: a field by its answer key, Next, a page filled so it passes.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QThread>
#include <functional>
#include <memory>

#include "AnswersPage.h"
#include "InstallWizard.h"
#include "ScriptedPrompts.h"
#include "TestRoot.h"
#include "vtx/installer/InstallSession.h"

namespace vtx::install {

using install::Page;

inline void settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

// Processes events until `done` holds or 20 s passed.
inline bool waitFor(const std::function<bool()>& done) {
    QDeadlineTimer deadline(20000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(5);
    }
    return done();
}

inline install::InstallAnswers kindAndMode(int kind, int mode = 0) {
    install::InstallAnswers answers;
    answers.server.tipo = std::to_string(kind);
    answers.server.modo = std::to_string(mode);
    return answers;
}

class WizardTest : public ::testing::Test {
protected:
    void open(install::InstallAnswers answers = {}, install::InstallDescription description = {},
              WizardSetup setup = {}) {
        if (setup.mediumDir.empty()) setup.mediumDir = root_.native("medium");
        wizard_ = std::make_unique<InstallWizard>(answers, description, setup, prompts_);
        wizard_->show();
        settle();
    }
    InstallWizard& wizard() { return *wizard_; }
    AnswersPage* current() const { return dynamic_cast<AnswersPage*>(wizard_->currentPage()); }
    Page currentPage() const { return static_cast<Page>(wizard_->currentId()); }
    QLineEdit* edit(const char* key) const { return qobject_cast<QLineEdit*>(current()->field(key)); }
    QComboBox* combo(const char* key) const { return qobject_cast<QComboBox*>(current()->field(key)); }
    void type(const char* key, const char* utf8) {
        ASSERT_NE(edit(key), nullptr) << key;
        edit(key)->setText(QString::fromUtf8(utf8));
    }
    bool focused(const char* key) const {
        return current()->field(key) != nullptr && wizard_->focusWidget() == current()->field(key);
    }
    // Presses Next; true when another page is shown.
    bool next() {
        const int before = wizard_->currentId();
        wizard_->next();
        settle();
        return wizard_->currentId() != before;
    }
    std::string lastText() const { return prompts_.shown.empty() ? "" : prompts_.shown.back().text; }

    // Fills the current page with answers its check accepts.
    void fillValid() {
        const std::vector<std::pair<const char*, const char*>> fields = {
            {"DIALUP", "Loja"},       {"TO", "60"},
            {"CNPJ", "12345678000195"}, {"FANTASIA", "Padaria São João"},
            {"Logradouro", "Rua das Flores"}, {"Numero", "10"},
            {"CEP", "01310100"},      {"NOME_INST", "Ana"},
            {"DOC_INST", "12345"},    {"DRIVEEST", "C:"}};
        for (const auto& [key, value] : fields) {
            if (edit(key) != nullptr) type(key, value);
        }
        if (currentPage() == Page::kAddressTranslation) type("TCPIP", "127.0.0.2");
        if (currentPage() == Page::kLocalTcpIp) type("TCPIP", "127.0.0.1");
        if (currentPage() == Page::kLocalTcpIp) type("PORTA", "5002");
    }
    // Walks on with valid answers until `page` is shown.
    void walkTo(Page page) {
        for (int step = 0; step < 12 && currentPage() != page; ++step) {
            fillValid();
            if (currentPage() == Page::kServerMedium) {
                ASSERT_TRUE(waitFor([&] { return currentPage() != Page::kServerMedium; }));
            } else {
                ASSERT_TRUE(next()) << "refused: " << lastText();
            }
        }
        ASSERT_EQ(currentPage(), page);
    }

    // The server installation's mark the station pages wait for.
    void writeServerMark(const std::string& drive = "C:") {
        const std::string mark = install::serverMarkPath(drive);
        ASSERT_EQ(mark.rfind(root_.path() + "/", 0), 0u) << mark;
        root_.writeFile(mark.substr(root_.path().size() + 1), "ok\r\n");
    }
    // The medium's PinPad.ini listing these models (sections of both types).
    void writePinPadIni(const std::vector<std::string>& models) {
        std::string list = "[PINPAD]\r\n", sections;
        for (size_t i = 0; i < models.size(); ++i) {
            list += "000" + std::to_string(i + 1) + "=" + models[i] + "\r\n";
            for (const char* type : {"0", "1"}) {
                sections += "[" + (type + models[i]) + "]\r\nSigla=" + models[i] + "\r\nDLL=libppsim.so\r\n";
            }
        }
        root_.writeFile("medium/PinPad.ini", list + sections);
    }

    vtx::test::TempRoot root_;
    ScriptedPrompts prompts_;
    std::unique_ptr<InstallWizard> wizard_;
};

}  // namespace vtx::install
