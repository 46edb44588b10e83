// AutoAnswerDialogs: the message boxes of an unattended run (environment
// VTX_AUTOANSWER=yes or no, see VtxClient.md). Every box is written to
// standard error as "[title] text", card numbers and tracks masked, and
// answered at once: a Yes/No question with the configured answer, any other
// box with its preselected button.
// Modal forms run as usual.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include "core/Dialogs.h"

namespace vtx::client {

class AutoAnswerDialogs : public Dialogs {
public:
    explicit AutoAnswerDialogs(MessageAnswer yesNoAnswer) : yesNoAnswer_(yesNoAnswer) {}

    MessageAnswer showMessage(const MessageRequest& request) override;

private:
    MessageAnswer yesNoAnswer_;
};

}  // namespace vtx::client
