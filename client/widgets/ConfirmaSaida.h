// The exit confirmation of every screen (F12, the exit buttons and the main
// window's close): "Confirma a Saída do Sistema", Yes/No with No preselected,
// error icon. Yes ends the program.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <functional>

#include "core/Dialogs.h"

namespace vtx::client {

inline const QString kTextoConfirmaSaida = QStringLiteral("Confirma a Saída do Sistema");

// True when the operator answered Yes; `encerra` (ending the program) has
// then run. An empty `encerra` ends nothing.
bool ConfirmaSaida(Dialogs& dialogs, const std::function<void()>& encerra);

}  // namespace vtx::client
