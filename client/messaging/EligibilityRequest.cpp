#include "messaging/MessageExchange.h"
#include "messaging/RequestBuilders.h"
#include "messaging/RequestFields.h"

namespace vtx::client {
namespace {

// 949-000: each non-blank identification field as its length ("00") and its
// trimmed text; empty when both are blank.
QString identificacao(const CardRecord& card) {
    const QString first = card.identificacao1.trimmed();
    const QString second = card.identificacao2.trimmed();
    if (first.isEmpty() && second.isEmpty()) return {};
    QString value = QString::number(first.size()).rightJustified(2, u'0') + first;
    if (!second.isEmpty()) value += QString::number(second.size()).rightJustified(2, u'0') + second;
    return value;
}

}  // namespace

bool Mensagem_ElegPortador(ClientSession& session, qint16 mais) {
    const bool venda = session.tipoTransacao.trimmed() == QStringLiteral("VENDA");
    QString processamento = QStringLiteral("800000");
    if (venda) processamento = QStringLiteral("800500");
    else if (!session.settings.CodProcessamentoPreVenda.isEmpty())
        processamento = session.settings.CodProcessamentoPreVenda;

    if (!MontaCamposComuns(session, QStringLiteral("0100"), processamento, {})) return false;
    detail::add(session, QStringLiteral("953-000"), session.cartao.numero);
    if (venda && mais != 0) {
        detail::add(session, QStringLiteral("900-000"), QString::number(mais));
        if (processamento == QStringLiteral("800500") && session.settings.MsgIso)
            detail::add(session, QStringLiteral("901-000"), QStringLiteral("00"));
    }
    detail::add(session, QStringLiteral("949-000"), identificacao(session.cartao));

    int result = ProcessaMsg(session);
    if (result < 0) {
        detail::showExchangeError(session, result);
        return false;
    }
    if (!VerificaRetorno(session, true)) return false;
    session.nsu = GetCampo(session, QStringLiteral("012-000"));
    return true;
}

}  // namespace vtx::client
