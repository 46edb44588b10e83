// Access mode 2 (dial-up): the name of the connection to dial and the idle
// time, in seconds, after which the line is hung up.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include "AnswersPage.h"

namespace vtx::install {

class DialUpPage : public AnswersPage {
public:
    explicit DialUpPage(InstallWizard& wizard);
};

}  // namespace vtx::install
