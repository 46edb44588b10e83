// Message boxes of the client core on a terminal: each box is written to
// standard error as "[title] text"; questions take their preselected answer,
// so a rehearsal runs without anyone at the keyboard.
//
// Thread-safety: one thread.
#pragma once

#include "core/Dialogs.h"

namespace vtx::tool {

class ConsoleDialogs : public client::Dialogs {
public:
    client::MessageAnswer showMessage(const client::MessageRequest& request) override;
};

}  // namespace vtx::tool
