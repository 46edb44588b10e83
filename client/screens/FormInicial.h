// FormInicial: the card screen ("Tela 0001"), the client's opening screen.
// The operator chooses the establishment type and the card administrator
// ("operadora"), identifies the card (read by a keyboard reader or the PIN
// pad, or typed), fills the identification fields the administrator asks
// for, and starts a pre-authorisation ("PREVENDA") or an authorisation
// ("VENDA") with the cardholder eligibility request; the administrative
// functions are reached from here after a manager login.
//
// States: neutral (operator list usable, card box hidden), card entry (card
// box shown), identified (operator and card locked, identification fields
// shown, flow buttons enabled), flow running (everything disabled while the
// host answers). Failures and host refusals lead back to neutral.
//
// Keys: F2 pre-authorisation, F4 authorisation, F5 administrative
// functions, F8 clear, F12 and ESC ("ESC - Encerrar") the exit confirmation;
// each acts only while its button is shown and enabled (F12 always). The
// card checks themselves are core/CardRules.h.
//
// Controls carry their names as object names (cbOperadora, txtCartao, ...);
// captions, visibility of the flow buttons and options, and the card rules
// come from the "FormInicial" caption section of the current TipoEstab.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QWidget>

#include "core/ClientSession.h"
#include "screens/MainFrame.h"
#include "screens/PinPadTrack.h"
#include "screens/ScreenOpeners.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vtx::client {

class FormInicial : public QWidget {
public:
    // Runs Form_Load. `openers` and the session outlive the form.
    FormInicial(ClientSession& session, MainFrame& frame, const ScreenOpeners& openers,
                GetTrackFunction getTrack, QWidget* parent = nullptr);

    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    // A key pressed anywhere on the screen (Qt key code); true when taken.
    bool Form_KeyDown(int key);

    void cbOperadora_Click();
    void ObtemOperadoraSelecionada();
    void cmdConfirmaOper_Click();
    void cmdConfirmaCartao_Click();
    void BtnPreVenda_Click();
    void cmdVenda_Click();
    void cmdAdmin_Click();
    void cmdLimpa_Click();
    void btnCancel_Click();
    void optLeitura_Click();
    void optDigitacao_Click();
    void optSelecaoEstab_Click();
    void optSelecaoRede_Click();
    void optSelecaoDistribuidor_Click();
    // Enter in the boxes (the only key these handlers act on).
    void txtCartao_KeyPress();
    void txtCampo1_KeyPress();
    void txtCampo2_KeyPress();
    void txtCampo1_LostFocus();
    void txtCampo2_LostFocus();

    // The card screen for a pre-authorisation, as the administrative menu
    // opens it: shown (the neutral state), the administrator chosen in the
    // menu (AdmSelecionada) preselected and confirmed, so the card is asked
    // for at once (read on the PIN pad when that is the reader); once the
    // card is identified the focus waits on "F2 - Pré Autorização".
    void abrePreVenda();

    void TravaCampo(bool lock);
    void HabilitaCampo();
    void DesabilitaCampo();
    bool ValidaCartao();
    bool ValidaIdentificacao();

    // The pre-sale first-activation flag: -1 when a flow starts; the pre-sale
    // screen clears it on its first activation.
    qint16 primeiraAtivacaoPreVenda = 0;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void wireHandlers();
    CaptionEntry caption(const char* key) const;
    void applyCaptions();
    void selectTipoOption(QRadioButton* option);
    void selectEntryOption(QRadioButton* option);
    void setEntryOptionsEnabled(bool enabled);
    void readOnPinPad();
    void startFlow(const QString& tipo, bool preVenda);
    bool runsExternalIdentification();
    void mensagemLogin(const QString& text, QLineEdit* focus);
    static bool available(const QWidget* control);
    bool usable(const QLineEdit* box) const;
    const OperatorRecord* selectedRecord() const;

    ClientSession& session_;
    MainFrame& frame_;
    const ScreenOpeners& openers_;
    GetTrackFunction getTrack_;
    qint16 iQtd_Enter = 0;
    bool cartaoIdentificado_ = false;
    // The station is configured for the price system's card identification
    // and has no such system: told once.
    bool identificacaoAusenteDita_ = false;
    bool loading_ = false;

    QGroupBox* fraSelecionaTipoEstab = nullptr;
    QRadioButton* optSelecaoEstab = nullptr;
    QRadioButton* optSelecaoRede = nullptr;
    QRadioButton* optSelecaoDistribuidor = nullptr;
    QButtonGroup* tipoGroup_ = nullptr;
    QGroupBox* fraIdentifica = nullptr;
    QLabel* lblCodigoEstab = nullptr;
    QLabel* lblNomeEstab = nullptr;
    QComboBox* cbOperadora = nullptr;
    QLineEdit* txtAdministradora = nullptr;
    QRadioButton* optLeitura = nullptr;
    QRadioButton* optDigitacao = nullptr;
    QLabel* lblCartao = nullptr;
    QLineEdit* txtCartao = nullptr;
    QLabel* LBCampo1 = nullptr;
    QLineEdit* txtCampo1 = nullptr;
    QLabel* LBCampo2 = nullptr;
    QLineEdit* txtCampo2 = nullptr;
    QPushButton* cmdConfirmaOper = nullptr;
    QPushButton* cmdConfirmaCartao = nullptr;
    QPushButton* BtnPreVenda = nullptr;
    QPushButton* cmdVenda = nullptr;
    QPushButton* cmdAdmin = nullptr;
    QPushButton* cmdLimpa = nullptr;
    QPushButton* btnCancel = nullptr;
};

}  // namespace vtx::client
