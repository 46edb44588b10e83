// FormImpressao: the receipt screen, "Imagem da Impressão", the last step of
// a sale and of a cancellation that the host answered with receipt lines.
// lstImpressao lists the receipt (for a sale with the station's product
// table first); "F5 - C&onfirma " confirms the transaction to the host,
// "F12 - &Anula" reverses it, and "F8 - Im&primir" (F8) prints the list, any
// number of times, in "Courier New" 8.
//
// The screen closes after the confirmation or the reversal, whatever the
// host answers to them, and only then: Escape does not close it, so a
// transaction the host holds is never left without either.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>
#include <QStringList>

#include "core/ClientSession.h"
#include "core/Dialogs.h"
#include "sale/SaleHost.h"

class QListWidget;
class QPushButton;

namespace vtx::client::sale {

class FormImpressao : public QDialog, public ModalForm {
public:
    // How the screen closed (its exec() result).
    enum Resultado { Confirmado = 1, Anulado = 2 };

    // Runs Form_Load.
    FormImpressao(ClientSession& session, SaleHost host, QWidget* parent = nullptr);

    QString formName() const override { return QStringLiteral("FormImpressao"); }
    int exec() override { return QDialog::exec(); }

    void Form_Load();
    void PreencheImpressao();
    void cmdConfirma_Click();
    void cmdAnula_Click();
    void cmdImprimir_Click();
    bool Form_KeyDown(int key);

    // The entries of lstImpressao, in order.
    QStringList linhas() const;

    void reject() override;

private:
    void setBotoes(bool confirma, bool imprimir, bool anula);

    ClientSession& session_;
    SaleHost host_;
    QListWidget* lstImpressao = nullptr;
    QPushButton* cmdConfirma = nullptr;
    QPushButton* cmdImprimir = nullptr;
    QPushButton* cmdAnula = nullptr;
};

}  // namespace vtx::client::sale
