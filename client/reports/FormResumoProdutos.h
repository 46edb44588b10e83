// FormResumoProdutos: the products summary, "Tela 0006 - Resumo Produtos da
// Transação", in spdProdutos. With TelaAtual "PRODUTOSDOLOTE" it shows the
// products of the batch `numeroLote` (PS, PR or PD file) and hides the
// item-cancel button; otherwise the products of the transaction of the
// session's NSU (PT, DR or DD file) and shows the button when the main window
// gave a handler for it (F6, item cancellation). Leaving it sets TelaAtual to
// "RESUMOVENDAS".
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <functional>

#include "reports/ReportScreen.h"

namespace vtx::client::reports {

class FormResumoProdutos : public ReportScreen {
public:
    // Loads the products at once (the operator is told when there are none).
    FormResumoProdutos(ClientSession& session, Printer* printer, ReportHost host,
                       const QString& numeroLote, QWidget* parent = nullptr);

    // Item cancellation of the selected products (F6); the button shows, for
    // a transaction, when set. The handler receives this screen's grid.
    void setCancelaItem(std::function<void(GridModel&)> cancela);

    void cmdCancelaItem_Click();

    void done(int result) override;

protected:
    bool teclaFuncao(int key) override;

private:
    void mostraCancelaItem();

    QPushButton* cmdCancelaItem_ = nullptr;
    std::function<void(GridModel&)> cancelaItem_;
    bool doLote_ = false;
};

}  // namespace vtx::client::reports
