// AnswersPage: what every page of the installer's wizard shares. A page
// shows fields named after their answer keys ("CNPJ", "TO", ...), fills them
// from the wizard's answers when it is entered (a line edit bound to its
// answer by addLineEdit() without more ado), and on Next copies them into
// a copy of the answers and runs the page's check: a refusal shows the
// check's message titled "Configurador Vantorix Client" and puts the focus on
// the offending field; a pass hands the answers to the wizard, which keeps
// them and writes the scratch file. The page after it follows the answers as
// the page would leave them.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QString>
#include <QWizardPage>
#include <string>
#include <string_view>
#include <vector>

#include "vtx/installer/InstallAnswers.h"
#include "vtx/installer/PageChecks.h"

class QComboBox;
class QFormLayout;
class QLineEdit;

namespace vtx::install {

class InstallWizard;

class AnswersPage : public QWizardPage {
public:
    AnswersPage(install::Page page, InstallWizard& wizard);

    install::Page page() const { return page_; }

    // The field of an answer key on this page, or null.
    QWidget* field(std::string_view key) const;

    // The wizard's answers with this page's fields copied in.
    install::InstallAnswers pageAnswers() const;

    void initializePage() override;
    bool validatePage() override;
    int nextId() const override;

protected:
    // The answer a line edit shows and changes.
    using AnswerText = std::string& (*)(install::InstallAnswers&);

    // Fill and copy the bound line edits; pages with other fields add theirs.
    virtual void load(const install::InstallAnswers& answers);
    virtual void store(install::InstallAnswers& answers) const;

    InstallWizard& installWizard() const { return wizard_; }

    // A line edit named `key` in a new row of `form`, bound to `text`.
    QLineEdit* addLineEdit(QFormLayout* form, const QString& label, const char* key,
                           AnswerText text);
    // A combo box named `key` in a new row of `form`.
    QComboBox* addComboBox(QFormLayout* form, const QString& label, const char* key);

private:
    struct Binding {
        QLineEdit* edit;
        AnswerText text;
    };

    install::Page page_;
    InstallWizard& wizard_;
    std::vector<Binding> bindings_;
};

// An answer's leading digits as a number; 0 when there are none.
int answerNumber(const std::string& text);

// Selects the item whose data is `value` (an int); the first item when none has it.
void selectData(QComboBox* box, int value);

}  // namespace vtx::install
