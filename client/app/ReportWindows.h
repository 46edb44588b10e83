// The report screens as the administrative menu and the batch screen open
// them: the screen of the kind asked for, framed by the main window (its
// title, print entry, screen area and end of the program), with the main
// menu's close and print commands routed to it while it is open, shown
// modally. The links lead on to the sale layer's screens: the batch's
// transactions from the sales summary (F8) and the item cancellation from
// the products of a transaction (F6); an empty link leaves its button
// hidden.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <functional>

#include "core/ClientSession.h"
#include "core/GridModel.h"
#include "reports/LoteSelecionado.h"
#include "screens/MainFrame.h"
#include "screens/ScreenOpeners.h"

namespace vtx::client {

struct ReportLinks {
    std::function<void(const reports::LoteSelecionado&)> transacoesDoLote;
    std::function<void(GridModel&)> cancelaItem;
};

void openReportWindow(ReportKind kind, ClientSession& session, MainFrame& frame,
                      const ReportLinks& links = {});

// The products summary of the transaction of the session's NSU (TelaAtual
// "PRODUTOSDATRANSACAO"), as the batch screen opens it.
void openTransactionProductsWindow(ClientSession& session, MainFrame& frame,
                                   const ReportLinks& links);

}  // namespace vtx::client
