// AnswersPage: what every page of the installer's wizard shares. A page
// shows fields named after their answer keys ("CNPJ", "TO", ...), fills them
// from the wizard's answers when it is entered, and on Next copies them into
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

#include "vtx/installer/InstallAnswers.h"
#include "vtx/installer/PageChecks.h"

class QComboBox;
class QFormLayout;
class QLineEdit;

namespace vtx::installer {

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
    virtual void load(const install::InstallAnswers& answers) = 0;
    virtual void store(install::InstallAnswers& answers) const = 0;

    InstallWizard& installWizard() const { return wizard_; }

    // A line edit named `key` in a new row of `form`.
    QLineEdit* addLineEdit(QFormLayout* form, const QString& label, const char* key);
    // A combo box named `key` in a new row of `form`.
    QComboBox* addComboBox(QFormLayout* form, const QString& label, const char* key);

private:
    install::Page page_;
    InstallWizard& wizard_;
};

// The text of a line edit as the core keeps it, and the other way round.
std::string fieldText(const QLineEdit* edit);
void setFieldText(QLineEdit* edit, const std::string& bytes);

// An answer's leading digits as a number; 0 when there are none.
int answerNumber(const std::string& text);

// Selects the item whose data is `value` (an int); the first item when none has it.
void selectData(QComboBox* box, int value);

}  // namespace vtx::installer
