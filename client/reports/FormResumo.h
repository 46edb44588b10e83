// FormResumo: the sales (authorisation) summary, "Tela 0003 - Resumo de
// Autorizações". Shows the batches of the chosen administrator from the
// sales summary file (SS, SR or SD by establishment type) in spdLote.
// F9 "Produtos do Lote" opens the products summary of the active batch;
// F8 "Transações do Lote" opens the batch's transactions through the handler
// the main window gives (the button stays hidden without one).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <functional>

#include "reports/LoteSelecionado.h"
#include "reports/ReportScreen.h"

namespace vtx::client::reports {

class FormResumo : public ReportScreen {
public:
    // Loads the summary at once (the operator is told when there is none).
    FormResumo(ClientSession& session, Printer* printer, ReportHost host,
               QWidget* parent = nullptr);

    // Opens the transactions of the batch (F8); the button shows when set.
    void setTransacoesDoLote(std::function<void(const LoteSelecionado&)> abre);

    // Reads the active row into the current batch (columns 1, 3 and 4).
    void CarregaDadosLote();
    const LoteSelecionado& loteAtual() const { return lote_; }

    void cmdTransacoesLote_Click();
    void cmdProdutosLote_Click();

protected:
    bool teclaFuncao(int key) override;

private:
    QPushButton* cmdTransacoesLote_ = nullptr;
    QPushButton* cmdProdutosLote_ = nullptr;
    std::function<void(const LoteSelecionado&)> abreTransacoes_;
    bool transacoesHabilitado_ = false;
    LoteSelecionado lote_;
};

}  // namespace vtx::client::reports
