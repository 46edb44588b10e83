// FormCadastro: the registration data window ("0016 - Dados Cadastrais").
// Lists the distributors that MF.Sxx gives for the chosen administrator,
// preselects the one recorded last ([DADOS_GERAIS] "DISTRIBUIDORA_" + the
// administrator in VtxClient.ini) and, on "F3 - &Confirma", sends the
// registration change for the distributor chosen; the host's acceptance
// records it and closes the window.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>

#include "core/ClientSession.h"
#include "screens/MainFrame.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vtx::client {

inline const QString kTituloCadastro =
    QStringLiteral("Vantorix Client        0016 - Dados Cadastrais     ");

class FormCadastro : public QDialog, public ModalForm {
public:
    // Runs Form_Load.
    FormCadastro(ClientSession& session, MainFrame& frame, QWidget* parent = nullptr);

    QString formName() const override { return QStringLiteral("FormCadastro"); }
    int exec() override { return QDialog::exec(); }

    void Form_Load();
    bool Form_KeyDown(int key);
    // True when the host accepted the change.
    bool cmdConfirma_Click();

private:
    void PreencheDistribuidoras();

    ClientSession& session_;
    MainFrame& frame_;
    QGroupBox* fraSelecao = nullptr;
    QLabel* lblAdministradora = nullptr;
    QLineEdit* txtAdministradora = nullptr;
    QLabel* lblDistribuidora = nullptr;
    QComboBox* cboDistribuidora = nullptr;
    QPushButton* cmdConfirma = nullptr;
    QPushButton* cmdRetorna = nullptr;
};

}  // namespace vtx::client
