// FormConsultaProdutos ("Tela 0010 - Consulta Produtos"): the products a
// host product query listed, page by page (Page Down or Down on the last
// row asks the host for the next page while the answer says more follow,
// and the notice "Existem Mais Itens" says so). Confirming a product (F5,
// Enter, double-click) opens the product entry for it and closes the list;
// F9 hides the list and goes back to the pre-sale screen.
//
// Owned by the pre-sale screen, which fills the grid with its searches and
// opens the list either modally (a search with several results, through
// the session's Dialogs as the form "FormConsultaProdutos") or without
// waiting ("Adiciona Produto"). While it lives, the main window's close
// command for TelaAtual "CONSULTAPRODUTOS" runs cmdRetorna_Click.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>
#include <functional>

#include "core/ClientSession.h"
#include "core/GridModel.h"
#include "sale/ProdutoAtual.h"
#include "sale/SaleHost.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vtx::client::widgets {
class GridView;
}

namespace vtx::client::sale {

inline const QString kTextoMaisItens =
    QStringLiteral("\" Existem Mais Itens. Para Consultá-los, tecle Page-Down\"");

class FormConsultaProdutos : public QDialog, public ModalForm {
public:
    // `preVenda`: the pre-sale grid the product entry writes to; `produto`:
    // the current product; `retorno`: the pre-sale screen shown and
    // activated again when this list is left.
    FormConsultaProdutos(ClientSession& session, const SaleHost& host, GridModel& preVenda,
                         ProdutoAtual& produto, std::function<void()> retorno,
                         QWidget* parent = nullptr);
    ~FormConsultaProdutos() override;

    QString formName() const override { return objectName(); }
    int exec() override;

    void Form_Load();
    void Form_Activate();
    bool Form_KeyDown(int key);
    void cmdConfirma_Click();
    void cmdRetorna_Click();
    // Key down on the grid: Page Down or Down on the last row fetch the next
    // page; true when a page was asked for.
    bool spdProduto_KeyDown(int key);

    // The search the pages belong to (the pre-sale's search text).
    void setPesquisa(const QString& pesquisa) { pesquisa_ = pesquisa; }
    GridModel& grid() { return grid_; }
    // Shows the grid and the notice again after the grid changed.
    void atualiza();
    // Shows the list without waiting.
    void mostra();

protected:
    void reject() override;

private:
    void buildControls();
    bool maisItens() const;

    ClientSession& session_;
    SaleHost host_;
    GridModel& preVenda_;
    ProdutoAtual& produto_;
    std::function<void()> retorno_;
    GridModel grid_;
    QString pesquisa_;

    QLabel* lblNSU = nullptr;
    QLineEdit* txtNSU = nullptr;
    widgets::GridView* spdProduto = nullptr;
    QLabel* lblalerta = nullptr;
    QPushButton* cmdConfirma = nullptr;
    QPushButton* cmdRetorna = nullptr;
};

}  // namespace vtx::client::sale
