#include "messaging/RequestFields.h"

#include "messaging/Amounts.h"
#include "messaging/MessageExchange.h"

namespace vtx::client::detail {

void add(ClientSession& session, const QString& key, const QString& value) {
    if (auto fault = session.mensagem.AdicionaCampo(key, value))
        session.reporter.TrataErro(fault->procedure, fault->text);
}

QString itemKey(const char* group, int index) {
    return QString::fromLatin1(group) + u'-' + QString::number(index).rightJustified(3, u'0');
}

QString zeroFilled(const QString& text, int digits) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return {};
    bool ok = false;
    qlonglong value = t.toLongLong(&ok);
    if (!ok) {
        auto amount = amountValue(t);
        if (!amount) return text;
        value = static_cast<qlonglong>(*amount >= 0 ? *amount + 0.5 : *amount - 0.5);
    }
    if (value < 0) return u'-' + QString::number(-value).rightJustified(digits, u'0');
    return QString::number(value).rightJustified(digits, u'0');
}

QString cents7(const QString& amount) {
    auto field = centsField(amount);
    if (!field) throw BuilderFault{13, QStringLiteral("Type mismatch")};
    return *field;
}

bool reportFault(ClientSession& session, const QString& procedure, const BuilderFault& fault) {
    session.reporter.TrataErro(procedure, QString::number(fault.number) + " - " + fault.description);
    return false;
}

void showExchangeError(ClientSession& session, int result) {
    if (result != kLibraryUnavailable) mostraErro(session, session.RetornoMensagem);
}

}  // namespace vtx::client::detail
