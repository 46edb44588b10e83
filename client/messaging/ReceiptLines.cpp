#include "messaging/ReceiptLines.h"

#include <limits>

#include "field/LeadingNumber.h"
#include "messaging/MessageExchange.h"

namespace vtx::client {

qint16 GetQtdLinha(ClientSession& session) {
    qint64 count = leadingNumber(GetCampo(session, QStringLiteral("028-000")));
    if (count < 0 || count > std::numeric_limits<qint16>::max()) {
        session.reporter.TrataErro(QStringLiteral("GetQtdLinha"), 6, QStringLiteral("Overflow"));
        return 0;
    }
    return static_cast<qint16>(count);
}

QString GetLinhaImpressao(ClientSession& session, qint16 line) {
    if (line < 0 || line > 999) return {};
    return GetCampo(session, QStringLiteral("029-") + QString::number(line).rightJustified(3, u'0'));
}

}  // namespace vtx::client
