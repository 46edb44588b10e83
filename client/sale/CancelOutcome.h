// What the operator is told after a cancellation request: the
// authorisation number of an accepted one (when the host gave a number
// other than zero), "Cancelamento não realizado!" for a refused one, and the
// receipt screen when the answer carries receipt lines.
//
// A whole transaction's receipt follows an acceptance only; an item
// cancellation's receipt follows whenever its answer carries lines, refused
// or not (the host may print the refusal).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include "core/ClientSession.h"
#include "sale/SaleHost.h"

namespace vtx::client::sale {

// After Mensagem_Cancelamento(session, true).
void informaCancelamento(ClientSession& session, const SaleHost& host, bool aceito);

// After Mensagem_Cancelamento(session, false).
void informaCancelamentoItem(ClientSession& session, const SaleHost& host, bool aceito);

}  // namespace vtx::client::sale
