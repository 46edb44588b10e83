// FormSelecaoProduto ("Seleção do Produto"): one product, chosen from the
// product-query list or a pre-sale row being edited, with its price look-up
// applied (ProcessaPreco). The operator sets quantity, gross price, discount
// and complement as the station allows (AlertaValBrId / AlertaDescId per
// establishment type; nothing but the quantity for products read back from
// a pre-authorisation); the net price follows gross and discount, the amount
// to collect follows the net price in proportion. OK validates and writes
// the product into the pre-sale grid (PrencherGridPre).
//
// Controls carry their names as object names (txtQuantidade,
// txtPrc_Bruto_Prd, txtValDescPrd, ...). Modal: run through the session's
// Dialogs as the form "FormSelecaoProduto".
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>

#include "core/ClientSession.h"
#include "core/GridModel.h"
#include "sale/ProdutoAtual.h"
#include "sale/SaleHost.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vtx::client::sale {

class FormSelecaoProduto : public QDialog, public ModalForm {
public:
    // `preVenda`: the pre-sale grid written on OK; `produto`: the current
    // product (ObtemProduto), updated by the look-up and by OK.
    FormSelecaoProduto(ClientSession& session, const SaleHost& host, GridModel& preVenda,
                       ProdutoAtual& produto, QWidget* parent = nullptr);

    QString formName() const override { return objectName(); }
    int exec() override { return QDialog::exec(); }

    // Form_Load.
    void PreencheCampos();
    bool Form_KeyDown(int key);
    // True after a validation that passed; the grid was then written.
    bool ValidaCampos();
    void cmdOk_Click();
    void cmdCancel_Click();

    // The net price from gross and discount (leaving either box).
    void CalculaPrecoLiquido();
    // Leaving the discount box: the floor, then the net price.
    void txtValDescPrd_LostFocus();
    // A change of the net price: the amount to collect in proportion.
    void CalculaValorReceberLoja();

    // True when OK wrote the product into the grid.
    bool gravado() const { return gravado_; }

protected:
    void reject() override;

private:
    void buildControls();
    void instalaTeclas();
    void focaCampo(QLineEdit* box);

    ClientSession& session_;
    SaleHost host_;
    GridModel& preVenda_;
    ProdutoAtual& produto_;
    QString descontoInicial_;
    QString liquidoInicial_;
    QString receberInicial_;
    bool gravado_ = false;

    QLabel* lblDescr_Produto = nullptr;
    QLineEdit* txtProduto = nullptr;
    QLabel* lblFabricante = nullptr;
    QLineEdit* txtFabricante = nullptr;
    QLabel* lblEmbalagem = nullptr;
    QLineEdit* txtEmbalagem = nullptr;
    QLabel* lblQtd_Canc = nullptr;
    QLineEdit* txtQuantidade = nullptr;
    QLabel* lblValBrtPrd = nullptr;
    QLineEdit* txtPrc_Bruto_Prd = nullptr;
    QLabel* lblValDescPrd = nullptr;
    QLineEdit* txtValDescPrd = nullptr;
    QLabel* lblValLiqPrd = nullptr;
    QLineEdit* txtPrc_Liq_Prd = nullptr;
    QLabel* lblValCredPrd = nullptr;
    QLineEdit* txValor_Cred_Prd = nullptr;
    QLabel* lblCompl1 = nullptr;
    QLineEdit* txtComplemento1 = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
};

}  // namespace vtx::client::sale
