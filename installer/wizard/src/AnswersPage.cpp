#include "AnswersPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <charconv>

#include "CoreText.h"
#include "InstallWizard.h"
#include "WizardPrompts.h"

namespace vtx::install {

AnswersPage::AnswersPage(install::Page page, InstallWizard& wizard)
    : QWizardPage(&wizard), page_(page), wizard_(wizard) {}

QWidget* AnswersPage::field(std::string_view key) const {
    if (key.empty()) return nullptr;
    return findChild<QWidget*>(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
}

install::InstallAnswers AnswersPage::pageAnswers() const {
    install::InstallAnswers answers = wizard_.answers();
    store(answers);
    return answers;
}

void AnswersPage::initializePage() { load(wizard_.answers()); }

void AnswersPage::load(const install::InstallAnswers& answers) {
    install::InstallAnswers shown = answers;
    for (const Binding& b : bindings_) b.edit->setText(fromCore(b.text(shown)));
}

void AnswersPage::store(install::InstallAnswers& answers) const {
    for (const Binding& b : bindings_) b.text(answers) = toCore(b.edit->text());
}

bool AnswersPage::validatePage() {
    const install::InstallAnswers answers = pageAnswers();
    const auto failure = install::checkPage(page_, answers, wizard_.description());
    if (failure) {
        wizard_.prompts().message(install::kConfiguratorTitle, failure->message);
        if (QWidget* offending = field(failure->field)) {
            offending->setFocus(Qt::OtherFocusReason);
            if (auto* edit = qobject_cast<QLineEdit*>(offending)) edit->selectAll();
        }
        return false;
    }
    wizard_.keepAnswers(answers);
    return true;
}

int AnswersPage::nextId() const { return wizard_.nextPageId(page_, pageAnswers()); }

QLineEdit* AnswersPage::addLineEdit(QFormLayout* form, const QString& label, const char* key,
                                    AnswerText text) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(key));
    form->addRow(label, edit);
    bindings_.push_back({edit, text});
    return edit;
}

QComboBox* AnswersPage::addComboBox(QFormLayout* form, const QString& label, const char* key) {
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(key));
    form->addRow(label, box);
    return box;
}

int answerNumber(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void selectData(QComboBox* box, int value) {
    const int index = box->findData(value);
    box->setCurrentIndex(index >= 0 ? index : 0);
}

}  // namespace vtx::install
