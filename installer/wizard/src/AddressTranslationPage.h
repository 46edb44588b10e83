// Access mode 3 (address translation): the address the station's routes are
// translated to (IPNAT/TCPIP).
//
// Thread-safety: the user-interface thread only.
#pragma once

#include "AnswersPage.h"

namespace vtx::installer {

class AddressTranslationPage : public AnswersPage {
public:
    explicit AddressTranslationPage(InstallWizard& wizard);

protected:
    void load(const install::InstallAnswers& answers) override;
    void store(install::InstallAnswers& answers) const override;

private:
    QLineEdit* address_;
};

}  // namespace vtx::installer
