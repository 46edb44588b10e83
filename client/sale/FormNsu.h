// FormNsu: the transactions of one batch of one administrator, "Tela 0005 -
// Transações do Lote" (window "Cancelamento"), opened from the batch
// summary. spdNsu lists the batch file (TS, TR or TD + the administrator's
// code + "-" + the batch number); the four totals sum its amount columns.
// "F4 - Cancela &Total" cancels the transaction of the active row as a
// whole (its receipt follows when the host sent one), "F8 - &Produtos da
// Transação" opens the products of a transaction that has them (partial
// cancellation goes on there), F11 prints the list under its totals,
// landscape, F12 asks before ending the program and ESC returns.
//
// While it is open the main window's close and print commands run
// cmdSair_Click and cmdImprimir_Click (TelaAtual "TRANSACOESDOLOTE"). A batch
// whose file cannot be loaded closes the screen at once, after the loader
// told the operator why.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>

#include "core/ClientSession.h"
#include "core/Dialogs.h"
#include "core/GridModel.h"
#include "sale/BatchTotals.h"
#include "sale/SaleHost.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vtx::client::widgets {
class GridView;
}

namespace vtx::client::sale {

inline const QString kTelaTransacoesLote = QStringLiteral("TRANSACOESDOLOTE");

class FormNsu : public QDialog, public ModalForm {
public:
    // Runs Form_Load: the batch `numeroLote` of the administrator
    // `codigoAdministradora`.
    FormNsu(ClientSession& session, SaleHost host, const QString& codigoAdministradora,
            const QString& numeroLote, QWidget* parent = nullptr);
    ~FormNsu() override;

    QString formName() const override { return QStringLiteral("FormNsu"); }
    int exec() override { return QDialog::exec(); }

    void Form_Load();
    bool MontaTela_FormNsu();
    void SomaTotais();
    // The active row's pending type code, NSU and pending status into the
    // session; false when no row is active.
    bool CarregaDadosNSU();
    void cmdCanceltotal_Click();
    void cmdCancelParcial_Click();
    void cmdImprimir_Click();
    void cmdSair_Click();
    bool Form_KeyDown(int key);

    // The batch file was loaded (Form_Activate closes the screen otherwise).
    bool carregado() const { return carregado_; }
    GridModel& grid() { return grid_; }
    const BatchTotals& totais() const { return totais_; }
    QString subtitulo() const;
    // The header line of the printed list.
    QString linhaTotais() const;

    void done(int result) override;
    void reject() override;

private:
    void Form_Unload();
    void mostraTela();
    CaptionEntry caption(const QString& key) const;

    ClientSession& session_;
    SaleHost host_;
    QString codigoAdministradora_;
    QString numeroLote_;
    GridModel grid_;
    BatchTotals totais_;
    bool carregado_ = false;
    bool descarregado_ = false;
    widgets::GridView* spdNsu = nullptr;
    QLabel* lblCodigoEstab = nullptr;
    QLabel* lblNomeEstab = nullptr;
    QLabel* lblAdministradora = nullptr;
    QLabel* lblLote = nullptr;
    QLabel* lblTotValorLiqVda = nullptr;
    QLabel* lblTotValorRepos = nullptr;
    QLabel* lblTotValorCredito = nullptr;
    QLabel* lblTotValorDebito = nullptr;
    QLineEdit* txtTotValorLiqVda = nullptr;
    QLineEdit* txtTotValorRepos = nullptr;
    QLineEdit* txtTotValorCredito = nullptr;
    QLineEdit* txtTotValorDebito = nullptr;
    QPushButton* cmdCanceltotal = nullptr;
    QPushButton* cmdCancelParcial = nullptr;
    QPushButton* cmdImprimir = nullptr;
    QPushButton* cmdSair = nullptr;
};

// Opens the batch screen modally inside the main window's screen area; a
// batch that cannot be loaded is not shown (the loader told the operator).
void abreFormNsu(ClientSession& session, const SaleHost& host, const QString& codigoAdministradora,
                 const QString& numeroLote);

}  // namespace vtx::client::sale
