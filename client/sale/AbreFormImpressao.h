// Opens the receipt screen (FormImpressao) for the last answer, modally,
// inside the main window's screen area: what the program gives the sale
// screens as SaleHost::openReceipt.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include "core/ClientSession.h"
#include "sale/SaleHost.h"

namespace vtx::client::sale {

void abreFormImpressao(ClientSession& session, const SaleHost& host);

}  // namespace vtx::client::sale
