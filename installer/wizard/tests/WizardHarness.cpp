#include "WizardHarness.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include "vtx/installer/InstallSession.h"

namespace vtx::installer {

void settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

bool waitFor(const std::function<bool()>& done) {
    QDeadlineTimer deadline(20000);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(5);
    }
    return true;
}

void WizardTest::open(install::InstallAnswers answers, install::InstallDescription description,
                      WizardSetup setup) {
    if (setup.mediumDir.empty()) setup.mediumDir = mediumDir();
    wizard_ = std::make_unique<InstallWizard>(std::move(answers), std::move(description),
                                              std::move(setup), prompts_);
    wizard_->show();
    settle();
}

AnswersPage* WizardTest::current() const {
    return dynamic_cast<AnswersPage*>(wizard_->currentPage());
}

install::Page WizardTest::currentPage() const {
    return static_cast<install::Page>(wizard_->currentId());
}

QLineEdit* WizardTest::edit(const char* key) const {
    auto* e = qobject_cast<QLineEdit*>(current()->field(key));
    EXPECT_NE(e, nullptr) << "no line edit " << key;
    return e;
}

QComboBox* WizardTest::combo(const char* key) const {
    auto* c = qobject_cast<QComboBox*>(current()->field(key));
    EXPECT_NE(c, nullptr) << "no combo box " << key;
    return c;
}

void WizardTest::type(const char* key, const char* utf8) {
    if (QLineEdit* e = edit(key)) e->setText(QString::fromUtf8(utf8));
}

bool WizardTest::next() {
    const int before = wizard_->currentId();
    wizard_->next();
    settle();
    return wizard_->currentId() != before;
}

void WizardTest::fillValid() {
    switch (currentPage()) {
        case install::Page::kDialUp:
            type("DIALUP", "Loja");
            type("TO", "60");
            break;
        case install::Page::kAddressTranslation:
            type("TCPIP", "127.0.0.2");
            break;
        case install::Page::kLocalTcpIp:
            type("TCPIP", "127.0.0.1");
            type("PORTA", "5002");
            break;
        case install::Page::kEstablishment:
            type("CNPJ", "12345678000195");
            type("FANTASIA", "Padaria São João");
            if (edit("Logradouro")->isVisibleTo(current())) {
                type("Logradouro", "Rua das Flores");
                type("Numero", "10");
                type("CEP", "01310100");
                type("NOME_INST", "Ana");
                type("DOC_INST", "12345");
            }
            break;
        case install::Page::kStation:
            type("DRIVEEST", "C:");
            break;
        default:
            break;
    }
}

void WizardTest::walkTo(install::Page page) {
    for (int step = 0; step < 12 && currentPage() != page; ++step) {
        fillValid();
        if (currentPage() == install::Page::kServerMedium) {
            // Goes on by itself once the server's mark is there.
            ASSERT_TRUE(waitFor([&] { return currentPage() != install::Page::kServerMedium; }));
            continue;
        }
        ASSERT_TRUE(next()) << "refused: " << (prompts_.shown.empty() ? "" : prompts_.shown.back().text);
    }
    ASSERT_EQ(currentPage(), page);
}

void WizardTest::writeServerMark(const std::string& drive) {
    const std::string mark = install::serverMarkPath(drive);
    ASSERT_EQ(mark.rfind(root_.path(), 0), 0u) << mark;
    root_.writeFile(mark.substr(root_.path().size() + 1), "ok\r\n");
}

void WizardTest::writePinPadIni(const std::vector<std::string>& models) {
    std::string ini = "[PINPAD]\r\n";
    char key[24];
    for (size_t i = 0; i < models.size(); ++i) {
        std::snprintf(key, sizeof key, "%04zu", i + 1);
        ini += std::string(key) + "=" + models[i] + "\r\n";
    }
    for (const std::string& model : models) {
        ini += "[0" + model + "]\r\nSigla=" + model + "\r\nDLL=libppsim.so\r\n";
        ini += "[1" + model + "]\r\nSigla=" + model + "\r\nDLL=libppsim.so\r\n";
    }
    root_.writeFile("medium/PinPad.ini", ini);
}

ScriptedPrompts::Shown WizardTest::lastBox() const {
    EXPECT_FALSE(prompts_.shown.empty()) << "no box was shown";
    return prompts_.shown.empty() ? ScriptedPrompts::Shown{} : prompts_.shown.back();
}

bool WizardTest::focused(const char* key) const {
    QWidget* field = current()->field(key);
    return field != nullptr && wizard_->focusWidget() == field;
}

}  // namespace vtx::installer
