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
    if (!MontaCamposComuns(session, QStringLiteral("0202"), codigoProcessamentoConfirmacao(session),
                           session.nsu))
        return false;
    session.mensagem.setBit63Flags(session.mensagem.bit63First(), false);
    int result = ProcessaMsg(session);
    if (result < 0) {
        detail::showExchangeError(session, result);
        return false;
    }
    return VerificaRetorno(session, true);
}

bool Mensagem_Anulacao(ClientSession& session) {
    if (!MontaCamposComuns(session, QStringLiteral("0420"), codigoProcessamentoConfirmacao(session),
                           session.nsu))
        return true;
    int result = ProcessaMsg(session);
    if (result < 0) return true;  // nothing shown: the reversal is retried by the host's rules
    return VerificaRetorno(session, true);
}

}  // namespace vtx::client
