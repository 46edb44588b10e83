// FormCancela: cancellation of a transaction by its host number,
// "Cancelamento de Transação ", opened from the administrative menu. The
// operator types the NSU (txtNSU, lengths and kind from the station's
// caption section) and chooses whether the transaction has products
// (OptComPrd: pending type code "BE", else "XX"); "F3 - &OK" sends the
// cancellation of the whole transaction, tells the authorisation number or
// the refusal, opens the receipt when the host sent one, and closes the
// screen. F12 and ESC close it without sending.
//
// A station whose NSU field is numeric takes only digits, a comma, Enter and
// Backspace from the keyboard, and an NSU pasted with other characters is
// refused before anything is sent.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>

#include "core/ClientSession.h"
#include "core/Dialogs.h"
#include "sale/SaleHost.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vtx::client::sale {

class FormCancela : public QDialog, public ModalForm {
public:
    // Runs Form_Load.
    FormCancela(ClientSession& session, SaleHost host, QWidget* parent = nullptr);

    QString formName() const override { return QStringLiteral("FormCancela"); }
    int exec() override { return QDialog::exec(); }

    void Form_Load();
    void MontaTela_FormCancela();
    void Form_Activate();
    bool Form_KeyDown(int key);
    bool ValidaCampos();
    void cmdOk_Click();
    void cmdCancel_Click();
    // True when the key may go into txtNSU.
    bool txtNSU_KeyPress(QChar key);

protected:
    void showEvent(QShowEvent* event) override;

private:
    ClientSession& session_;
    SaleHost host_;
    bool nsuNumerico_ = false;
    int nsuMinimo_ = 0;
    QLabel* lblNSU = nullptr;
    QLineEdit* txtNSU = nullptr;
    QCheckBox* OptComPrd = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
};

// Opens the screen modally inside the main window's screen area.
void abreFormCancela(ClientSession& session, const SaleHost& host);

}  // namespace vtx::client::sale
