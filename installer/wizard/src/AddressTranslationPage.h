// Access mode 3 (address translation): the address the station's routes are
// translated to (IPNAT/TCPIP).
//
// Thread-safety: the user-interface thread only.
#pragma once

#include "AnswersPage.h"

namespace vtx::install {

class AddressTranslationPage : public AnswersPage {
public:
    explicit AddressTranslationPage(InstallWizard& wizard);
};

}  // namespace vtx::install
