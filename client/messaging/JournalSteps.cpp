#include "messaging/JournalSteps.h"

#include "field/LeadingNumber.h"
#include "messaging/Amounts.h"
#include "messaging/MessageExchange.h"

namespace vtx::client::detail {
namespace {

const QString kTextoDiario =
    QStringLiteral("Não foi possível gravar o diário de transações; a transação não foi enviada.\n");

// The net value of the session's product lists, "12,50"; empty when a price
// or quantity is not a number.
QString productsTotal(const ProductLists& p) {
    qint64 cents = 0;
    for (int i = 0; i < p.qtdProdutos; ++i) {
        const auto price = amountCents(ProductLists::at(p.precoLiquido, i));
        if (!price) return {};
        cents += *price * leadingNumber(ProductLists::at(p.quantidade, i));
    }
    return centsToAmount(QString::number(cents));
}

bool refuse(ClientSession& session, const QString& procedure) {
    const QString reason = session.journal->lastError();
    session.reporter.TrataErro(procedure, reason);
    mostraErro(session, kTextoDiario + reason);
    return false;
}

}  // namespace

JournalRequest journalContext(const ClientSession& session, JournalKind kind) {
    JournalRequest r;
    r.kind = kind;
    r.cartao = session.cartao.numero;
    r.administradora = session.settings.NomeAdministradora;
    r.codigoAdministradora = session.settings.CodigoAdministradora;
    r.tipoEstab = session.settings.TipoEstab;
    r.tipoTransacao = session.tipoTransacao;
    r.pendenteTipo = session.pendente.tipo;
    r.pendenteStatus = session.pendente.status;
    if (kind == JournalKind::Venda) {
        r.nsu = session.nsu;
        r.total = productsTotal(session.produtos);
    } else {
        r.nsuOriginal = session.nsu;
    }
    return r;
}

bool journalRequest(ClientSession& session, JournalKind kind, const QString& procedure,
                    std::string& id) {
    id.clear();
    if (session.journal == nullptr) return true;
    const std::optional<std::string> entry = session.journal->pedido(journalContext(session, kind));
    if (!entry) return refuse(session, procedure);
    id = *entry;
    return true;
}

void journalAnswer(ClientSession& session, const std::string& id, bool authorised) {
    if (session.journal == nullptr || id.empty()) return;
    const QString nsu = GetCampo(session, QStringLiteral("012-000"));
    const QString status = GetCampo(session, QStringLiteral("009-000"));
    // Not recorded: the entry still waits for its answer, and the next
    // settlement looks the transaction up at the host's list instead.
    if (!session.journal->resposta(id, authorised, nsu, status))
        session.reporter.TrataErro(QStringLiteral("Diario"), session.journal->lastError());
}

bool journalSettling(ClientSession& session, bool confirm, const QString& procedure,
                     std::string& id) {
    id.clear();
    if (session.journal == nullptr) return true;
    const std::optional<std::string> entry = session.journal->liquidando(
        session.nsu, confirm, session.journalActor, journalContext(session, JournalKind::Pendente));
    if (!entry) return refuse(session, procedure);
    id = *entry;
    return true;
}

void journalSettled(ClientSession& session, const std::string& id, bool confirm, bool accepted) {
    if (session.journal == nullptr || id.empty()) return;
    const QString status = GetCampo(session, QStringLiteral("009-000"));
    const JournalOutcome outcome = !accepted ? JournalOutcome::LiquidacaoRecusada
                                   : confirm ? JournalOutcome::Confirmada
                                             : JournalOutcome::Desfeita;
    if (!session.journal->encerra(id, outcome, status))
        session.reporter.TrataErro(QStringLiteral("Diario"), session.journal->lastError());
}

}  // namespace vtx::client::detail
