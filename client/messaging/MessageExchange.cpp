#include "messaging/MessageExchange.h"

#include <utility>

#include "field/GetCampo.h"
#include "field/LeadingNumber.h"

namespace vtx::client {
namespace {

const QString kAtencao = QStringLiteral("Atenção");
const QString kService = QStringLiteral("CHK");

// "0000" length, the message, blanks to the exchange size.
QString exchangeBuffer(const QString& message) {
    return QString::number(message.size()).rightJustified(4, u'0') + message +
           QString(kExchangeSize - 4 - message.size(), u' ');
}

QString suporte(const ClientSession& session) {
    return session.supportReference().trimmed();
}

}  // namespace

QString connectionErrorText(int result) {
    if (result == -163) return kTextoSemInternet;
    if (result == -164) return kTextoServidorFora;
    QString code = QString::number(-static_cast<qint64>(result)).rightJustified(3, u'0');
    return QStringLiteral("     Erro de conexão = ") + (result < 0 ? "-" : "") + code;
}

void mostraErro(ClientSession& session, const QString& text) {
    session.dialogs.message(text, kAtencao, MessageIcon::Critical);
}

QString GetCampo(ClientSession& session, const QString& key) {
    FieldRead read = client::GetCampo(session.RetornoMensagem, key, session.settings.MsgIso,
                                      session.qtdLinhasRecibo);
    if (read.fault) session.reporter.TrataErro(read.fault->procedure, read.fault->text);
    return read.value;
}

int ProcessaMsg(ClientSession& session) {
    session.qtdLinhasRecibo = 0;
    session.resultadoTroca = kLibraryUnavailable;
    QString message;
    if (!session.settings.MsgIso) {
        message = session.mensagem.MontaMensagemTexto();
    } else {
        IsoForm iso = session.mensagem.MontaMensagemIso();
        if (iso.fault) {
            // A value that does not fit its bit: the host could not split the
            // message, so it is not sent.
            session.reporter.TrataErro(iso.fault->procedure, iso.fault->text);
            session.RetornoMensagem = iso.fault->text;
            return kLibraryUnavailable;
        }
        message = std::move(iso.text);
    }
    session.RetornoMensagem = message;
    if (message.size() > kLargestMessage) {
        // Too long for the 4-digit length of the exchange buffer: not sent.
        session.reporter.TrataErro(QStringLiteral("ProcessaMsg"), kTextoModuloCli);
        session.RetornoMensagem = kTextoModuloCli;
        return kLibraryUnavailable;
    }
    QString exchange = exchangeBuffer(message);
    QString admin = session.settings.NomeAdministradora;
    std::optional<int> result = session.comm.process(exchange, admin, kService);
    if (!result) {
        session.reporter.TrataErro(QStringLiteral("ProcessaMsg"), kTextoModuloCli);
        session.RetornoMensagem = kTextoModuloCli;
        return kLibraryUnavailable;
    }
    session.settings.NomeAdministradora = admin;
    session.RetornoMensagem = *result >= 0 ? exchange : connectionErrorText(*result);
    session.resultadoTroca = *result;
    return *result;
}

bool VerificaRetorno(ClientSession& session, bool show) {
    const QString operatorMessage = GetCampo(session, QStringLiteral("030-000"));
    if (!operatorMessage.trimmed().isEmpty() && show) mostraErro(session, operatorMessage);
    const QString status = GetCampo(session, QStringLiteral("009-000"));
    const qint64 code = leadingNumber(status);
    bool accepted = code < 40;
    if (code >= 200) {
        mostraErro(session, QStringLiteral("Erro :  ") + status + " - Contatar o suporte " +
                                suporte(session) + " .");
    }
    if (GetCampo(session, QStringLiteral("000-000")) == QStringLiteral("0202")) return true;
    if (status.isEmpty()) {
        accepted = false;
        const QString& answer = session.RetornoMensagem;
        if (answer.size() < 5) {
            mostraErro(session, QStringLiteral("Mensagem sem Retorno - Contatar o suporte ") +
                                    suporte(session) + " .");
        } else if (leadingNumber(QStringView(answer).left(4)) == 4) {
            mostraErro(session, QStringLiteral("Erro:  ") + answer.mid(4, 3) +
                                    " - Contatar o suporte " + suporte(session) + " .");
        }
    }
    return accepted;
}

bool answerSaysAlreadySettled(ClientSession& session) {
    return GetCampo(session, QStringLiteral("009-000")).trimmed() == kStatusJaLiquidada;
}

bool ProcessaLogon(ClientSession& session) {
    QString exchange = exchangeBuffer(QStringLiteral("LOGIN|"));
    QString admin = session.settings.NomeAdministradora;
    std::optional<int> result = session.comm.process(exchange, admin, kService);
    if (!result) {
        session.reporter.TrataErro(QStringLiteral("ProcessaLogon"), kTextoModuloCli);
        return false;
    }
    session.settings.NomeAdministradora = admin;
    if (*result < 0) {
        mostraErro(session, connectionErrorText(*result));
        return false;
    }
    session.RetornoMensagem = exchange;
    const QString status = GetCampo(session, QStringLiteral("009-000"));
    // An empty buffer is the library's zeroed buffer: its first byte is NUL.
    if (exchange.isEmpty() || exchange.at(0) == QChar(0) ||
        exchange.startsWith(QStringLiteral("0002OK")) ||
        exchange.startsWith(QStringLiteral("0011009-000=00;")) || status == QStringLiteral("00"))
        return true;
    if (status.trimmed().isEmpty()) {
        mostraErro(session, QStringLiteral("Erro no Login:  ") + exchange);
    } else {
        const QString operatorMessage = GetCampo(session, QStringLiteral("030-000"));
        if (!operatorMessage.trimmed().isEmpty()) mostraErro(session, operatorMessage);
        else mostraErro(session, QStringLiteral("Erro :  ") + status + " - Contatar o suporte .");
    }
    return false;
}

}  // namespace vtx::client
