// FormInicial: confirming the operator, reading or typing the card, the
// identification fields, and the checks before a flow starts.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "core/CardRules.h"
#include "core/IniAccess.h"
#include "screens/FormInicial.h"
#include "screens/FormPinPad.h"
#include "core/Guarded.h"
#include "widgets/Hourglass.h"
#include "widgets/FormHelpers.h"

namespace vtx::client {
namespace {

const QString kFormInicialCardAtencao = QStringLiteral("Atenção");
const QString kLeituraCartao = QStringLiteral("Leitura do Cartão");

}  // namespace

void FormInicial::mensagemLogin(const QString& text, QLineEdit* focus) {
    session_.dialogs.message(text, QStringLiteral("Login"), MessageIcon::None);
    if (focus != nullptr && focus->isEnabled() && !focus->isReadOnly()) focus->setFocus();
}

void FormInicial::cmdConfirmaOper_Click() {
    guarded(session_.reporter, "cmdConfirmaOper_Click", [&] {
        if (trimBlanks(cbOperadora->currentText()).isEmpty()) {
            session_.dialogs.message(QStringLiteral("Selecione uma operadora!"), kFormInicialCardAtencao,
                                     MessageIcon::Critical);
            return;
        }
        try {
            cmdConfirmaOper->setEnabled(false);
            setHourglass(true);
            lblCartao->show();
            txtCartao->show();
            cmdConfirmaOper->hide();
            cmdConfirmaCartao->show();
            cmdAdmin->setEnabled(false);
            cmdLimpa->setEnabled(true);
            if (usable(txtCartao)) txtCartao->setFocus();
            iQtd_Enter = 0;
            if (optLeitura->isChecked()) {
                setEntryOptionsEnabled(false);
                optLeitura_Click();
                if (session_.settings.LeitorType == 2) readOnPinPad();
            } else if (optDigitacao->isChecked()) {
                optDigitacao_Click();
                setEntryOptionsEnabled(false);
            }
            setHourglass(false);
            cmdConfirmaOper->setEnabled(true);
        } catch (...) {
            setEntryOptionsEnabled(true);
            throw;
        }
    });
}

void FormInicial::readOnPinPad() {
    FormPinPad pinPad(session_.reporter, getTrack_, this);
    session_.dialogs.showModal(pinPad);
    const TrackRead& read = pinPad.leitura();
    if (read.result >= 0) {
        lblCartao->setText(QStringLiteral("Numero do Cartão "));
        txtCartao->setText(read.track.trimmed());
        cmdConfirmaCartao_Click();
        return;
    }
    const QString failure = pinPadReadMessage(read.result);
    if (!failure.isEmpty())
        session_.dialogs.message(failure, kLeituraCartao, MessageIcon::Critical);
    cmdLimpa_Click();
}

void FormInicial::cmdConfirmaCartao_Click() {
    guarded(session_.reporter, "cmdConfirmaCartao_Click", [&] {
        cmdConfirmaCartao->setEnabled(false);
        setHourglass(true);
        if (ValidaCartao()) {
            session_.cartao.numero = trimBlanks(txtCartao->text()).toUpper();
            HabilitaCampo();
            TravaCampo(true);
            cartaoIdentificado_ = true;
            cmdConfirmaCartao->hide();
            if (usable(txtCampo1))
                txtCampo1->setFocus();
            else if (available(BtnPreVenda))
                BtnPreVenda->setFocus();
            setEntryOptionsEnabled(false);
        }
        cmdConfirmaCartao->setEnabled(true);
        setHourglass(false);
    });
}

bool FormInicial::ValidaCartao() {
    bool valid = false;
    guarded(session_.reporter, "ValidaCartao", [&] {
        const CardCheck check =
            checkCard(txtCartao->text(), !optLeitura->isChecked(), caption("txtCartao"));
        if (!check.passed()) {
            mensagemLogin(check.message, txtCartao);
            return;
        }
        valid = true;
    });
    return valid;
}

bool FormInicial::ValidaIdentificacao() {
    bool valid = false;
    guarded(session_.reporter, "ValidaIdentificacao", [&] {
        // The login field rule's kind makes the identification fields
        // numeric-only too.
        const bool digitsOnly =
            session_.captions
                .entry(QStringLiteral("FormLogin"), QStringLiteral("txtUserName"),
                       session_.settings.TipoEstab)
                .digitsOnly();
        const OperatorRecord* record = selectedRecord();
        QLineEdit* const boxes[] = {txtCartao, txtCampo1, txtCampo2};
        std::array<IdentificationEntry, 2> fields;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            fields[i].asked = record != nullptr && record->fields[i].asked();
            if (fields[i].asked) fields[i].minLength = record->fields[i].minLength;
            fields[i].text = boxes[i + 1]->text();
        }
        const CardCheck check = checkIdentification(
            txtCartao->text(), !optLeitura->isChecked(), caption("txtCartao"), digitsOnly, fields);
        if (!check.passed()) {
            mensagemLogin(check.message, boxes[static_cast<std::size_t>(check.focus)]);
            return;
        }
        valid = true;
    });
    return valid;
}

void FormInicial::txtCartao_KeyPress() {
    guarded(session_.reporter, "txtCartao_KeyPress", [&] {
        if (!cartaoIdentificado_) {
            if (!optLeitura->isChecked()) {
                cmdConfirmaCartao_Click();
            } else if (++iQtd_Enter > 1) {
                // A keyboard reader ends each of the card's two tracks with
                // Enter: the card is complete at the second one.
                iQtd_Enter = 0;
                cmdConfirmaCartao_Click();
            }
        }
        // Only an identified card goes on to the fields or the flow: an Enter
        // that did not confirm the card (the reader's first, or a card the
        // checks refused) must not start a request with it.
        if (!cartaoIdentificado_) return;
        if (available(txtCampo1)) {
            txtCampo1->setFocus();
        } else if (available(txtCampo2)) {
            txtCampo2->setFocus();
        } else if (!BtnPreVenda->isHidden() && cmdVenda->isHidden()) {
            BtnPreVenda_Click();
        } else if (BtnPreVenda->isHidden()) {
            cmdVenda_Click();
        }
    });
}

void FormInicial::txtCampo1_KeyPress() {
    guarded(session_.reporter, "txtCampo1_KeyPress", [&] {
        if (available(txtCampo2))
            widgets::EnterTab(*txtCampo1);
        else if (!available(BtnPreVenda))
            cmdVenda_Click();
        else if (!available(cmdVenda))
            BtnPreVenda_Click();
        else
            widgets::EnterTab(*txtCampo1);
    });
}

void FormInicial::txtCampo2_KeyPress() {
    guarded(session_.reporter, "txtCampo2_KeyPress", [&] {
        if (!available(BtnPreVenda))
            cmdVenda_Click();
        else if (!available(cmdVenda))
            BtnPreVenda_Click();
        else
            widgets::EnterTab(*txtCampo2);
    });
}

}  // namespace vtx::client
