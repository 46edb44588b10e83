// FormPreVenda ("Tela 0011"): the product list of one transaction, in the
// variant TelaAtual names when it opens. "PREVENDA" (pre-authorisation):
// the operator searches products (by code or text; a single result goes
// straight into the list, several open the query list), edits and deletes
// them and sends the list to the host in batches. "VENDA" (sale): the
// products of the card's pre-authorisation are read back from the host page
// by page; with products read back the search area is hidden and only the
// quantities may be lowered; the fiscal document number is checked and the
// sale sent; the receipt screen follows when the host sent receipt lines,
// and the point-of-sale export file is written when the station asks for
// it. Closing the screen shows the card screen again.
//
// Keys: F3 search, F5 finalise, F8 delete, F10 edit (each while its button
// is enabled), F12 leave the program after confirmation, ESC abandon. The
// main window's close command runs btnCancel_Click while TelaAtual is the
// screen's variant.
//
// Controls carry their names as object names (spdProduto, txtPesquisa,
// fraProduto, cmdConfirma, txtNrDocFiscal, txtTotVend, ...). Message boxes
// and the modal product screens go through the session's Dialogs.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QWidget>
#include <memory>

#include "core/ClientSession.h"
#include "core/GridModel.h"
#include "sale/ProdutoAtual.h"
#include "sale/SaleHost.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vtx::client::widgets {
class GridView;
}

namespace vtx::client::sale {

class FormConsultaProdutos;

inline const QString kTextoAbandonar = QStringLiteral("Deseja abandonar operação?");

class FormPreVenda : public QWidget {
public:
    FormPreVenda(ClientSession& session, const SaleHost& host, QWidget* parent = nullptr);
    ~FormPreVenda() override;

    // Load, show and first activation, as the opener runs them.
    void abre();

    void Form_Load();
    void Form_Activate();
    bool Form_KeyDown(int key);
    void Form_Unload();
    void cmdPesquisa_Click();
    void cmdAdicionaProduto_Click();
    void cmdConfirma_Click();
    void cmdEditar_Click();
    void cmdExcluir_Click();
    void btnCancel_Click();
    void spdProduto_DblClick();
    // A key typed on the grid (a character, 13 Enter, 8 Backspace, 27 Escape).
    void spdProduto_KeyPress(int key);

    GridModel& grid() { return grid_; }
    // The query list, made at its first use.
    FormConsultaProdutos& consulta();
    bool venda() const { return venda_; }
    // True once the screen was closed (Form_Unload ran).
    bool fechada() const { return fechada_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void instalaTeclas();
    void MontaTela();
    void leituraPreAutorizacao();
    void mostraTotais();
    void mostraTitulo();
    void restauraBotoes();
    void refresh();
    void focaPesquisa();
    void focaGrid();
    void buscaProdutos(const QString& pesquisa);

    ClientSession& session_;
    SaleHost host_;
    GridModel grid_;
    ProdutoAtual produto_;
    std::unique_ptr<FormConsultaProdutos> consulta_;
    QString telaAtual_;
    bool venda_ = false;
    bool primeiraAtivacao_ = false;
    bool fechada_ = false;

    QLabel* lblNomeCliente = nullptr;
    QLabel* lblNSU = nullptr;
    QLineEdit* txtNSU = nullptr;
    QGroupBox* fraProduto = nullptr;
    QLabel* lblProduto = nullptr;
    QLineEdit* txtPesquisa = nullptr;
    QPushButton* cmdPesquisa = nullptr;
    widgets::GridView* spdProduto = nullptr;
    QLabel* lblTotVend = nullptr;
    QLineEdit* txtTotVend = nullptr;
    QLabel* lblTotCred = nullptr;
    QLineEdit* txtTotCred = nullptr;
    QLabel* lblTotBen = nullptr;
    QLineEdit* txtTotBen = nullptr;
    QLabel* lblNrDocFiscal = nullptr;
    QLineEdit* txtNrDocFiscal = nullptr;
    QPushButton* cmdAdicionaProduto = nullptr;
    QPushButton* cmdConfirma = nullptr;
    QPushButton* cmdExcluir = nullptr;
    QPushButton* cmdEditar = nullptr;
    QPushButton* btnCancel = nullptr;
};

// Opens the pre-sale screen for TelaAtual ("PREVENDA" or "VENDA") inside the
// host's screen area, without waiting; the screen deletes itself when it
// closes.
void abreFormPreVenda(ClientSession& session, const SaleHost& host);

}  // namespace vtx::client::sale
