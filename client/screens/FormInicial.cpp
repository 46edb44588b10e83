// FormInicial: loading, the type and entry options, and the neutral and
// locked states of the screen.
#include "screens/FormInicial.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include "core/EstablishmentLabels.h"
#include "core/IniAccess.h"
#include "screens/ConfirmaSaida.h"
#include "core/Guarded.h"
#include "widgets/Hourglass.h"
#include "widgets/FormHelpers.h"

namespace vtx::client {
namespace {

const QString kTitulo = QStringLiteral("Vantorix Client      Tela 0001 - Inicial e abertura    ");
const QString kNumeroCartao = QStringLiteral("Número do Cartão");
constexpr int kSemLimite = 32767;

}  // namespace

FormInicial::FormInicial(ClientSession& session, MainFrame& frame, const ScreenOpeners& openers,
                         GetTrackFunction getTrack, QWidget* parent)
    : QWidget(parent),
      session_(session),
      frame_(frame),
      openers_(openers),
      getTrack_(std::move(getTrack)) {
    buildControls();
    wireHandlers();
    Form_Load();
}

bool FormInicial::available(const QWidget* control) {
    return !control->isHidden() && control->isEnabled();
}

bool FormInicial::usable(const QLineEdit* box) const {
    return available(box) && !box->isReadOnly();
}

void FormInicial::Form_Load() {
    loading_ = true;
    guarded(session_.reporter, "Form_Load", [&] {
        frame_.setPrintEnabled(false);
        session_.settings.TelaAtual = QStringLiteral("INCIAL");
        frame_.SetaCaption(tituloComData(kTitulo));
        widgets::PosicionaFormulario(*this);
        const EstablishmentLabels estab = establishmentLabels(session_.captions, session_.settings);
        lblCodigoEstab->setText(estab.codigo);
        lblNomeEstab->setText(estab.nome);
        switch (session_.settings.TipoEstabDefault) {
            case kTipoEstabEstabelecimento:
                selectTipoOption(optSelecaoEstab);
                break;
            case kTipoEstabRede:
                selectTipoOption(optSelecaoRede);
                break;
            case kTipoEstabDistribuidor:
                selectTipoOption(optSelecaoDistribuidor);
                break;
            default:
                selectTipoOption(nullptr);
                break;
        }
        cbOperadora->clear();
        cbOperadora->addItems(session_.operadoras.names());  // PreencheComboAdm by name
        TravaCampo(false);
        lblCartao->hide();
        txtCartao->hide();
    });
    loading_ = false;
}

void FormInicial::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) Form_Activate();
}

void FormInicial::Form_Activate() {
    guarded(session_.reporter, "Form_Activate", [&] {
        session_.settings.TelaAtual = QStringLiteral("INCIAL");
        frame_.setPrintEnabled(false);
        cmdLimpa_Click();
        TravaCampo(false);
        fraIdentifica->setEnabled(true);
        frame_.SetaCaption(tituloComData(kTitulo));
    });
}

void FormInicial::Form_Unload() {
    frame_.SetaCaption(QString());
}

bool FormInicial::Form_KeyDown(int key) {
    auto press = [](QPushButton* button, auto handler) {
        if (!available(button)) return false;
        handler();
        return true;
    };
    switch (key) {
        case Qt::Key_F2:
            return press(BtnPreVenda, [this] { BtnPreVenda_Click(); });
        case Qt::Key_F4:
            return press(cmdVenda, [this] { cmdVenda_Click(); });
        case Qt::Key_F5:
            return press(cmdAdmin, [this] { cmdAdmin_Click(); });
        case Qt::Key_F8:
            return press(cmdLimpa, [this] { cmdLimpa_Click(); });
        case Qt::Key_F12:
            btnCancel_Click();
            return true;
        case Qt::Key_Escape:  // "ESC - Encerrar"
            return press(btnCancel, [this] { btnCancel_Click(); });
        default:
            return false;
    }
}

void FormInicial::btnCancel_Click() {
    guarded(session_.reporter, "btnCancel_Click", [&] { ConfirmaSaida(session_.dialogs, frame_); });
}

void FormInicial::selectTipoOption(QRadioButton* option) {
    if (option == nullptr) {
        tipoGroup_->setExclusive(false);
        for (QAbstractButton* each : tipoGroup_->buttons()) each->setChecked(false);
        tipoGroup_->setExclusive(true);
        return;
    }
    option->setChecked(true);
    if (option == optSelecaoEstab)
        optSelecaoEstab_Click();
    else if (option == optSelecaoRede)
        optSelecaoRede_Click();
    else
        optSelecaoDistribuidor_Click();
}

void FormInicial::optSelecaoEstab_Click() {
    session_.settings.TipoEstab = kTipoEstabEstabelecimento;
    TravaCampo(false);
}

void FormInicial::optSelecaoRede_Click() {
    session_.settings.TipoEstab = kTipoEstabRede;
    TravaCampo(false);
}

void FormInicial::optSelecaoDistribuidor_Click() {
    session_.settings.TipoEstab = kTipoEstabDistribuidor;
    TravaCampo(false);
}

void FormInicial::TravaCampo(bool lock) {
    guarded(session_.reporter, "TravaCampo", [&] {
        BtnPreVenda->setVisible(caption("BtnPreVenda").enabled());
        cmdVenda->setVisible(caption("cmdVenda").enabled());
        cmdAdmin->setVisible(caption("cmdAdmin").enabled());

        BtnPreVenda->setEnabled(lock);
        cmdVenda->setEnabled(lock);
        cmdLimpa->setEnabled(lock);
        cmdAdmin->setEnabled(!lock);
        cbOperadora->setEnabled(!lock);  // a locked list keeps its choice
        txtCartao->setReadOnly(lock);
        optLeitura->setEnabled(!lock);
        optDigitacao->setEnabled(!lock);
        if (!lock) {
            cartaoIdentificado_ = false;
            for (QWidget* control :
                 {static_cast<QWidget*>(LBCampo1), static_cast<QWidget*>(txtCampo1),
                  static_cast<QWidget*>(LBCampo2), static_cast<QWidget*>(txtCampo2)})
                control->hide();
            txtCampo2->clear();
            txtCampo1->clear();
            txtCartao->clear();
        }
        if (available(cbOperadora)) cbOperadora->setFocus();
        applyCaptions();
    });
}

void FormInicial::cmdLimpa_Click() {
    guarded(session_.reporter, "cmdLimpa_Click", [&] {
        cmdLimpa->setEnabled(false);
        fraIdentifica->setEnabled(true);
        setHourglass(true);
        TravaCampo(false);
        lblCartao->hide();
        txtCartao->hide();
        cmdConfirmaOper->show();
        cmdConfirmaCartao->hide();
        cmdAdmin->setEnabled(true);
        if (available(cbOperadora)) cbOperadora->setFocus();
        setHourglass(false);
        iQtd_Enter = 0;
        selectEntryOption(session_.settings.LeitorType != 0 ? optLeitura : optDigitacao);
    });
}

void FormInicial::selectEntryOption(QRadioButton* option) {
    option->setChecked(true);
    if (option == optLeitura)
        optLeitura_Click();
    else
        optDigitacao_Click();
}

void FormInicial::setEntryOptionsEnabled(bool enabled) {
    optLeitura->setEnabled(enabled);
    optDigitacao->setEnabled(enabled);
}

void FormInicial::optLeitura_Click() {
    txtCartao->clear();
    txtCartao->setMaxLength(kSemLimite);
    txtCartao->setEchoMode(QLineEdit::Password);  // the mask character "*"
    lblCartao->setText(kNumeroCartao);
    if (usable(txtCartao)) txtCartao->setFocus();
}

void FormInicial::optDigitacao_Click() {
    txtCartao->clear();
    const qint16 maximum = caption("txtCartao").maxLength;
    txtCartao->setMaxLength(maximum > 0 ? maximum : kSemLimite);
    txtCartao->setEchoMode(QLineEdit::Normal);
    lblCartao->setText(kNumeroCartao);
    if (usable(txtCartao)) txtCartao->setFocus();
}

const OperatorRecord* FormInicial::selectedRecord() const {
    return session_.operadoras.at(cbOperadora->currentIndex() + 1);
}

void FormInicial::cbOperadora_Click() {
    ObtemOperadoraSelecionada();
}

void FormInicial::ObtemOperadoraSelecionada() {
    guarded(session_.reporter, "ObtemOperadoraSelecionada", [&] {
        const int index = cbOperadora->currentIndex() + 1;
        if (!session_.operadoras.select(index, session_.settings)) return;
        // The card screen sends the administrator's name upper-cased.
        session_.settings.NomeAdministradora = session_.settings.NomeAdministradora.toUpper();
        txtAdministradora->setText(session_.operadoras.at(index)->code);
    });
}

void FormInicial::HabilitaCampo() {
    guarded(session_.reporter, "HabilitaCampo", [&] {
        ObtemOperadoraSelecionada();
        const OperatorRecord* record = selectedRecord();
        const std::pair<QLabel*, QLineEdit*> boxes[] = {{LBCampo1, txtCampo1},
                                                        {LBCampo2, txtCampo2}};
        for (std::size_t i = 0; i < 2; ++i) {
            auto [label, box] = boxes[i];
            const bool asked = record != nullptr && record->fields[i].asked();
            label->setVisible(asked);
            box->setVisible(asked);
            if (!asked) continue;
            label->setText(trimBlanks(record->fields[i].label));
            box->setMaxLength(record->fields[i].maxLength > 0 ? record->fields[i].maxLength
                                                              : kSemLimite);
        }
    });
}

void FormInicial::DesabilitaCampo() {
    txtCampo1->hide();
    txtCampo2->hide();
    txtCampo1->clear();
    txtCampo2->clear();
}

void FormInicial::txtCampo1_LostFocus() {
    session_.cartao.identificacao1 = trimBlanks(txtCampo1->text()).toUpper();
}

void FormInicial::txtCampo2_LostFocus() {
    session_.cartao.identificacao2 = trimBlanks(txtCampo2->text()).toUpper();
}

}  // namespace vtx::client
