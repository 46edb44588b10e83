// frmCancelaProdutos: the item cancellation, "Cancela Item", opened from the
// products summary of a transaction for the one product selected there
// (CancelaItem_Grid has put it into the cancellation list). txtProduto
// names the product (code and description), txtQuantidade proposes the
// quantity; "F3 - &OK" sends the partial cancellation of the typed quantity
// (not zero, not above the transaction's), tells the authorisation number or
// the refusal, opens the receipt whenever the answer carries one, and
// closes. A refused quantity keeps the screen open; ESC closes it.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>

#include "core/ClientSession.h"
#include "core/Dialogs.h"
#include "core/GridModel.h"
#include "sale/SaleHost.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vtx::client::sale {

class FrmCancelaProdutos : public QDialog, public ModalForm {
public:
    // Runs Form_Load with row `linha` of the products summary grid.
    FrmCancelaProdutos(ClientSession& session, SaleHost host, const GridModel& produtos, int linha,
                       QWidget* parent = nullptr);

    QString formName() const override { return QStringLiteral("frmCancelaProdutos"); }
    int exec() override { return QDialog::exec(); }

    void Form_Load(const GridModel& produtos, int linha);
    bool Form_KeyDown(int key);
    void cmdOk_Click();
    void cmdCancel_Click();

private:
    ClientSession& session_;
    SaleHost host_;
    QLabel* lblProduto = nullptr;
    QLabel* lblQtd = nullptr;
    QLineEdit* txtProduto = nullptr;
    QLineEdit* txtQuantidade = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
};

inline const QString kTextoSelecioneProduto = QStringLiteral("Selecione o produto a cancelar.");
inline const QString kTextoSomenteUmProduto =
    QStringLiteral("Selecione somente um produto para cancelar.");

// F6 of the products summary: loads the selected rows of `produtosDaTransacao`
// into the cancellation list (CancelaItem_Grid) and opens the item
// cancellation, modally inside the main window's screen area, when exactly
// one product is selected. With none selected the operator reads "Selecione
// o produto a cancelar.", with more "Selecione somente um produto para
// cancelar." (warning, "Atenção"); a grid without rows was reported by the
// loader. True when the screen was opened.
bool abreFrmCancelaProdutos(ClientSession& session, const SaleHost& host,
                            const GridModel& produtosDaTransacao);

}  // namespace vtx::client::sale
