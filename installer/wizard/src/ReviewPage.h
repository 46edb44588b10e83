// The last page of a pre-filled installation (and wherever pagesFor lists
// it): the answers as a short read-only summary to confirm before the
// configuration is written.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include "AnswersPage.h"

class QPlainTextEdit;

namespace vtx::install {

class ReviewPage : public AnswersPage {
public:
    explicit ReviewPage(InstallWizard& wizard);

    QString summary() const;

protected:
    void load(const install::InstallAnswers& answers) override;

private:
    QPlainTextEdit* summary_;
};

// The summary's lines for these answers (Windows-1252 bytes).
std::string answersSummary(const install::InstallAnswers& answers,
                           const install::InstallDescription& description, bool pinPadAsked);

}  // namespace vtx::install
