#include "messaging/JournalSteps.h"
#include "messaging/MessageExchange.h"
#include "messaging/RequestBuilders.h"
#include "messaging/RequestFields.h"

namespace vtx::client {

QString codigoProcessamentoConfirmacao(const ClientSession& session) {
    const QString tipo = session.tipoTransacao.trimmed();
    if (tipo == QStringLiteral("PREVENDA") || tipo == QStringLiteral("VENDA"))
        return QStringLiteral("800300");
    if (tipo != QStringLiteral("TRANSACOESPENDENTES")) return QStringLiteral("800400");
    const QString codigo = session.pendente.tipo.left(2);
    if (codigo == QStringLiteral("BC") || codigo == QStringLiteral("BE")) {
        return session.pendente.status.trimmed().toUpper() == QStringLiteral("CANC.")
                   ? QStringLiteral("800400")
                   : QStringLiteral("800300");
    }
    // Other networks' pending transactions compare the status exactly.
    return session.pendente.status == QStringLiteral("CANC.") ? QStringLiteral("900400")
                                                              : QStringLiteral("900300");
}

bool Mensagem_Confirmacao(ClientSession& session) {
    const QString procedure = QStringLiteral("Mensagem_Confirmacao");
    if (!MontaCamposComuns(session, QStringLiteral("0202"), codigoProcessamentoConfirmacao(session),
                           session.nsu))
        return false;
    session.mensagem.setBit63Flags(session.mensagem.bit63First(), false);
    std::string entry;
    if (!detail::journalSettling(session, true, procedure, entry)) return false;
    int result = ProcessaMsg(session);
    if (result < 0) {
        // The journal keeps the confirmation as sent: the settlement sends
        // it again until the host answers.
        detail::showExchangeError(session, result);
        return false;
    }
    // Confirmed already (the first confirmation's answer was lost): done.
    const bool accepted =
        answerSaysAlreadySettled(session) || VerificaRetorno(session, true);
    detail::journalSettled(session, entry, true, accepted);
    return accepted;
}

bool Mensagem_Anulacao(ClientSession& session) {
    const QString procedure = QStringLiteral("Mensagem_Anulacao");
    if (!MontaCamposComuns(session, QStringLiteral("0420"), codigoProcessamentoConfirmacao(session),
                           session.nsu))
        return true;
    std::string entry;
    if (!detail::journalSettling(session, false, procedure, entry)) return false;
    int result = ProcessaMsg(session);
    if (result < 0) return true;  // nothing shown: the reversal is sent again by the settlement
    const bool accepted =
        answerSaysAlreadySettled(session) || VerificaRetorno(session, true);
    detail::journalSettled(session, entry, false, accepted);
    return accepted;
}

}  // namespace vtx::client
