// FormConsulta: the pending-transactions query, "Tela 0007 - Transações
// Pendentes", from the TP file in spdLote. The operator confirms (F3) or
// annuls (F4) the pending transaction of the active row with the host; the
// busy pointer shows while the request is out.
//
// Pending-transactions file columns read here (doc/report-files.md):
// 1 pending type code, 2 NSU, 4 pending status, 6 and 7 kept with them.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include "reports/ReportScreen.h"

namespace vtx::client::reports {

// The identifiers of the pending transaction read from the active row.
struct DadosNSU {
    QString tipo;     // column 1: pending type code ("BC", "BE", ...)
    QString nsu;      // column 2: host transaction number
    QString status;   // column 4: pending status ("CANC." when a cancellation)
    QString coluna6;  // column 6
    QString coluna7;  // column 7
};

class FormConsulta : public ReportScreen {
public:
    // Loads the pending transactions at once; the transaction type of the
    // session becomes "TRANSACOESPENDENTES".
    FormConsulta(ClientSession& session, Printer* printer, ReportHost host,
                 QWidget* parent = nullptr);

    // Reads the active row into the session (pending type code, status and
    // NSU) and dadosNSU().
    void CarregaDadosNSU();
    const DadosNSU& dadosNSU() const { return dados_; }

    void cmdConfirmaTrans_Click();
    void cmdAnulaTrans_Click();

protected:
    // F3 confirms and F4 annuls the active row's transaction.
    bool teclaFuncao(int key) override;

private:
    // The rows the station's journal knows, marked (reports/JournalMarks.h).
    void marcaDiario();
    // Runs a confirmation or reversal of the active row's transaction.
    void processa(QPushButton* button, bool (*envia)(ClientSession&), const QString& sucesso,
                  const QString& falha);

    QPushButton* cmdConfirmaTrans_ = nullptr;
    QPushButton* cmdAnulaTrans_ = nullptr;
    DadosNSU dados_;
};

}  // namespace vtx::client::reports
