// FormInicial: the pre-authorisation and authorisation flows (eligibility
// request, then the pre-sale screen) and the way to the administrative
// functions.
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/IniAccess.h"
#include "messaging/RequestBuilders.h"
#include "screens/FormInicial.h"
#include "core/Guarded.h"
#include "widgets/Hourglass.h"

namespace vtx::client {
namespace {

constexpr int kRepeticoesIdentificacao = 2;

}  // namespace

void FormInicial::startFlow(const QString& tipo, bool preVenda) {
    fraIdentifica->setEnabled(false);
    BtnPreVenda->setEnabled(false);
    cmdVenda->setEnabled(false);
    setHourglass(true);
    primeiraAtivacaoPreVenda = -1;
    ObtemOperadoraSelecionada();
    session_.settings.TelaAtual = tipo;
    session_.tipoTransacao = tipo;

    if (!ValidaIdentificacao()) {
        cmdLimpa_Click();
        cmdConfirmaOper_Click();
        setHourglass(false);
        return;
    }
    // The fields as typed now: Enter in a field starts the flow without the
    // field ever losing the focus.
    txtCampo1_LostFocus();
    txtCampo2_LostFocus();
    if (!Mensagem_ElegPortador(session_, 0)) {
        BtnPreVenda->setEnabled(true);
        setHourglass(false);
        cmdLimpa_Click();
        return;
    }
    if (preVenda && session_.settings.IdentificaCartaoDS) runsExternalIdentification();
    cmdLimpa_Click();
    session_.settings.TelaAtual = tipo;
    session_.tipoTransacao = tipo;
    if (openers_.openPreSale) openers_.openPreSale();
    setHourglass(false);
}

bool FormInicial::runsExternalIdentification() {
    if (!openers_.identifyCard) {
        // Configured for a system the station does not have: said once, then
        // the pre-authorisation goes on without it.
        if (!identificacaoAusenteDita_) {
            identificacaoAusenteDita_ = true;
            session_.dialogs.message(
                QStringLiteral("Este terminal está configurado para identificar o cartão no "
                               "sistema de preços (bIdentificaCartao_DS), mas o sistema de preços "
                               "não está disponível. A pré-autorização segue sem essa "
                               "identificação."),
                QStringLiteral("Atenção"), MessageIcon::Warning);
        }
        return false;
    }
    auto clear = [this] {
        if (openers_.clearCardIdentification) openers_.clearCardIdentification();
    };
    clear();
    QString flag = openers_.identifyCard();
    for (int retry = 0; flag == QStringLiteral("N") && retry < kRepeticoesIdentificacao; ++retry) {
        MessageRequest box{QStringLiteral("Deseja digitar novamente?"), QStringLiteral("Atenção"),
                           MessageIcon::Critical, MessageButtons::YesNo, MessageAnswer::No};
        const bool again = session_.dialogs.showMessage(box) == MessageAnswer::Yes;
        clear();
        if (!again) return false;
        flag = openers_.identifyCard();
    }
    return flag != QStringLiteral("N");
}

void FormInicial::abrePreVenda() {
    show();
    guarded(session_.reporter, "abrePreVenda", [&] {
        const int index = session_.settings.AdmSelecionada - 1;
        if (index < 0 || index >= cbOperadora->count()) return;  // none chosen: neutral
        cbOperadora->setCurrentIndex(index);
        ObtemOperadoraSelecionada();
        cmdConfirmaOper_Click();
    });
}

void FormInicial::BtnPreVenda_Click() {
    guarded(session_.reporter, "BtnPreVenda_Click",
            [&] { startFlow(QStringLiteral("PREVENDA"), true); });
}

void FormInicial::cmdVenda_Click() {
    guarded(session_.reporter, "cmdVenda_Click",
            [&] { startFlow(QStringLiteral("VENDA"), false); });
}

void FormInicial::cmdAdmin_Click() {
    guarded(session_.reporter, "cmdAdmin_Click", [&] {
        if (trimBlanks(cbOperadora->currentText()).isEmpty()) {
            session_.dialogs.message(QStringLiteral("Selecione a operadora!"),
                                     QStringLiteral("Atenção"), MessageIcon::Critical);
            if (cbOperadora->isEnabled()) cbOperadora->setFocus();
            return;
        }
        cmdAdmin->setEnabled(false);
        setHourglass(true);
        ObtemOperadoraSelecionada();
        const bool logged = openers_.openLogin && openers_.openLogin();
        setHourglass(false);
        if (logged) {
            hide();
            const std::size_t tipo = tipoValido(session_.settings.TipoEstab);
            const QString user = trimBlanks(session_.login.operadorLogado[tipo].usuario).toUpper();
            if (user == QStringLiteral("STAFF")) {
                if (openers_.openConfig) openers_.openConfig();
                // The configuration window only closes: the card screen is
                // the way on from there.
                show();
            } else if (openers_.openAdminMenu) {
                openers_.openAdminMenu();
            } else {
                show();
            }
        }
        cmdAdmin->setEnabled(true);
    });
}

}  // namespace vtx::client
