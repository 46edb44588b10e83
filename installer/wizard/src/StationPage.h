// Kinds 3-4: the drive of the station, where its programs go (ESTACAO/DRIVEEST).
//
// Thread-safety: the user-interface thread only.
#pragma once

#include "AnswersPage.h"

namespace vtx::installer {

class StationPage : public AnswersPage {
public:
    explicit StationPage(InstallWizard& wizard);

protected:
    void load(const install::InstallAnswers& answers) override;
    void store(install::InstallAnswers& answers) const override;

private:
    QLineEdit* drive_;
};

}  // namespace vtx::installer
