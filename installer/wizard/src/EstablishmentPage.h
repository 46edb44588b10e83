// Kinds 0-2: the establishment (CNPJ, trade name, address) and the
// installer's name and document. When the medium's INSTALL.INI sets
// DADOSADIC the address and the installer are not asked (their rows are
// hidden and the page's check stops after the trade name).
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <vector>

#include "AnswersPage.h"

namespace vtx::install {

class EstablishmentPage : public AnswersPage {
public:
    explicit EstablishmentPage(InstallWizard& wizard);

    void initializePage() override;

private:
    QFormLayout* form_;
    std::vector<QLineEdit*> addressAndInstaller_;
};

}  // namespace vtx::install
