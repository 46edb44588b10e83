// FormResumoFinanceiro: the financial summary, "Tela 0003 - Resumo
// Financeiro", from the financial summary file (FS, FR or FD by
// establishment type) in spdLote.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include "reports/ReportScreen.h"

namespace vtx::client::reports {

class FormResumoFinanceiro : public ReportScreen {
public:
    // Loads the summary at once (the operator is told when there is none).
    FormResumoFinanceiro(ClientSession& session, Printer* printer, ReportHost host,
                         QWidget* parent = nullptr);
};

}  // namespace vtx::client::reports
