// Kinds 3-4: the station waits for its server. The page looks for the
// server installation's mark ("<SERVER/DRIVE>\VANTRIX\INSTALL.TXT") at each
// poll and goes on by itself as soon as it is there; when it has not come
// within the wizard's wait (20 minutes) the technician is told the server
// cannot be reached and the wizard is cancelled. Next stays disabled until
// the mark exists.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QTimer>

#include "AnswersPage.h"

class QLabel;

namespace vtx::install {

class ServerMediumPage : public AnswersPage {
public:
    explicit ServerMediumPage(InstallWizard& wizard);

    void initializePage() override;
    void cleanupPage() override;
    bool validatePage() override;
    bool isComplete() const override;

protected:
    void load(const install::InstallAnswers& answers) override;

private:
    void look();
    void gaveUp();
    void stop();

    QLabel* status_;
    QTimer poll_;
    QTimer bound_;
    bool markFound_ = false;
};

}  // namespace vtx::install
