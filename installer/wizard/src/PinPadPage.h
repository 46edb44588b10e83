// The PIN pad: the model (the list of the medium's PinPad.ini), the
// application type (0 16-bit, 1 32-bit), the card reader (0 none, typed
// entry; 1 keyboard reader; 2 the PIN pad) and the serial port, shown as
// COM1.. and kept 0-based. The answers' choices are selected (a pre-filled
// or installed configuration); a choice the lists do not hold selects the
// first entry.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include "AnswersPage.h"

namespace vtx::install {

class PinPadPage : public AnswersPage {
public:
    explicit PinPadPage(InstallWizard& wizard);

    void initializePage() override;

protected:
    void load(const install::InstallAnswers& answers) override;
    void store(install::InstallAnswers& answers) const override;

private:
    QComboBox* model_;
    QComboBox* aplicType_;
    QComboBox* leitorType_;
    QComboBox* serialPort_;
};

}  // namespace vtx::install
