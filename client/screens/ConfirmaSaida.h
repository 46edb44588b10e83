// The exit confirmation for the screens framed by the main window: Yes ends
// the program through the frame.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include "screens/MainFrame.h"
#include "widgets/ConfirmaSaida.h"

namespace vtx::client {

// True when the operator answered Yes (the program is then ending).
inline bool ConfirmaSaida(Dialogs& dialogs, MainFrame& frame) {
    return ConfirmaSaida(dialogs, [&frame] { frame.encerra(); });
}

}  // namespace vtx::client
