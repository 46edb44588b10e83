// Kinds 3-4: the drive of the station, where its programs go (ESTACAO/DRIVEEST).
//
// Thread-safety: the user-interface thread only.
#pragma once

#include "AnswersPage.h"

namespace vtx::install {

class StationPage : public AnswersPage {
public:
    explicit StationPage(InstallWizard& wizard);
};

}  // namespace vtx::install
