#include "messaging/tests/MessagingFixture.h"

namespace vtx::client::test {

std::optional<int> FakeCommLibrary::process(QString& exchange, QString& admin,
                                            const QString& /*service*/) {
    if (!reachable) return std::nullopt;
    buffers << exchange;
    admins << admin;
    const int length = exchange.left(4).toInt();
    sent << exchange.mid(4, length);
    Answer a = answers.empty() ? Answer{0, QStringLiteral("009-000=00;")} : answers.front();
    if (!answers.empty()) answers.pop_front();
    if (a.result >= 0) {
        exchange = QString::number(a.message.size()).rightJustified(4, u'0') + a.message;
        exchange += QString(3072 - exchange.size(), u' ');
    }
    return a.result >= 0 ? std::max(a.result, static_cast<int>(a.message.size()) + 4) : a.result;
}

std::optional<CommLibrary::Price> FakeCommLibrary::getPreco(const QString&, const QString&,
                                                            const QString&, const Price&) {
    if (!reachable) return std::nullopt;
    return price.value_or(Price{});
}

MessagingFixture::MessagingFixture() {
    EstruturaPrincipal& s = session.settings;
    s.TipoLog = QStringLiteral("M");
    s.TituloMensagem = QStringLiteral("ATENÇÃO");
    s.CodigoEstab = QStringLiteral("123456789012345");
    s.CodigoAcesso = QString::fromLatin1(kCodigoAcesso);
    s.NomeAdministradora = QStringLiteral("REDE ALFA");
    s.CodigoAdministradora = QStringLiteral("ALFA0001");
    session.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9)); };
}

QStringList MessagingFixture::fieldsSent(int index) const {
    const QString message = index < 0 ? comm.sent.last() : comm.sent.at(index);
    QStringList fields = message.split(u';', Qt::SkipEmptyParts);
    return fields;
}

}  // namespace vtx::client::test
