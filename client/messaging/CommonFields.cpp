#include <QDateTime>

#include "messaging/RequestBuilders.h"
#include "messaging/RequestFields.h"

namespace vtx::client {

using detail::add;

bool MontaCamposComuns(ClientSession& session, const QString& codigoMensagem,
                       const QString& codigoProcessamento, const QString& referencia) {
    session.RetornoMensagem.clear();
    add(session, QStringLiteral("000-000"), codigoMensagem);
    add(session, QStringLiteral("011-000"), codigoProcessamento);
    add(session, QStringLiteral("001-000"),
        session.settings.MsgIso ? QStringLiteral("001111") : QStringLiteral("1111"));
    add(session, QStringLiteral("040-000"), session.settings.NomeAdministradora);
    add(session, QStringLiteral("012-000"), detail::zeroFilled(referencia, 12));
    add(session, QStringLiteral("940-000"), QStringLiteral("003"));
    add(session, QStringLiteral("942-000"), session.settings.CodigoEstab);
    add(session, QStringLiteral("941-000"), session.settings.CodigoAcesso);
    const QDateTime now = session.clock();
    add(session, QStringLiteral("023-000"), now.toString(QStringLiteral("hhmmss")));
    add(session, QStringLiteral("022-000"), now.toString(QStringLiteral("MMdd")));
    return true;
}

}  // namespace vtx::client
