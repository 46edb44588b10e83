#include "sale/CancelOutcome.h"

#include "messaging/ReceiptLines.h"
#include "sale/CancelRules.h"

namespace vtx::client::sale {
namespace {

const QString kCancelOutcomeAtencao = QStringLiteral("Atenção");

void informaNumero(ClientSession& session) {
    if (mostraNumeroAutorizacao(session.nsu))
        session.dialogs.message(textoNumeroAutorizacao(session.nsu), kCancelOutcomeAtencao, MessageIcon::Warning);
}

void informaRecusa(ClientSession& session) {
    session.dialogs.message(kTextoCancelamentoRecusado, kCancelOutcomeAtencao, MessageIcon::Critical);
}

void abreRecibo(ClientSession& session, const SaleHost& host) {
    if (GetQtdLinha(session) > 0 && host.openReceipt) host.openReceipt();
}

}  // namespace

void informaCancelamento(ClientSession& session, const SaleHost& host, bool aceito) {
    if (!aceito) {
        informaRecusa(session);
        return;
    }
    informaNumero(session);
    abreRecibo(session, host);
}

void informaCancelamentoItem(ClientSession& session, const SaleHost& host, bool aceito) {
    if (aceito)
        informaNumero(session);
    else
        informaRecusa(session);
    abreRecibo(session, host);
}

}  // namespace vtx::client::sale
