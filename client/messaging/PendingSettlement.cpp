#include "messaging/PendingSettlement.h"

#include "core/GridModel.h"
#include "messaging/CarregaGrid.h"
#include "messaging/ReportFiles.h"
#include "messaging/RequestBuilders.h"

namespace vtx::client {
namespace {

// Columns of the pending-transactions file: NSU, status, and the
// NSU of the transaction a cancellation cancelled.
constexpr int kColNsu = 2;
constexpr int kColStatus = 4;
constexpr int kColNsuOriginal = 8;
const QString kStatusCancelamento = QStringLiteral("CANC.");

bool isCancellation(JournalKind kind) {
    return kind == JournalKind::Cancelamento || kind == JournalKind::CancelamentoParcial;
}

// The session as a settlement finds it, put back when the settlement of one
// entry is over, so the screen the operator returns to has its own
// transaction, administrator and last answer.
class SessionScope {
public:
    explicit SessionScope(ClientSession& session)
        : session_(session),
          nsu_(session.nsu),
          tipoTransacao_(session.tipoTransacao),
          pendente_(session.pendente),
          admSelecionada_(session.settings.AdmSelecionada),
          nome_(session.settings.NomeAdministradora),
          codigo_(session.settings.CodigoAdministradora),
          tipoEstab_(session.settings.TipoEstab),
          actor_(session.journalActor),
          retorno_(session.RetornoMensagem),
          linhas_(session.qtdLinhasRecibo),
          troca_(session.resultadoTroca) {}
    ~SessionScope() {
        session_.nsu = nsu_;
        session_.tipoTransacao = tipoTransacao_;
        session_.pendente = pendente_;
        session_.settings.AdmSelecionada = admSelecionada_;
        session_.settings.NomeAdministradora = nome_;
        session_.settings.CodigoAdministradora = codigo_;
        session_.settings.TipoEstab = tipoEstab_;
        session_.journalActor = actor_;
        session_.RetornoMensagem = retorno_;
        session_.qtdLinhasRecibo = linhas_;
        session_.resultadoTroca = troca_;
    }
    SessionScope(const SessionScope&) = delete;
    SessionScope& operator=(const SessionScope&) = delete;

private:
    ClientSession& session_;
    QString nsu_;
    QString tipoTransacao_;
    PendingTransaction pendente_;
    qint16 admSelecionada_;
    QString nome_;
    QString codigo_;
    qint16 tipoEstab_;
    JournalActor actor_;
    QString retorno_;  // the answer a screen may still read (a sale's read-back)
    int linhas_;
    int troca_;
};

// The administrator and establishment type of the entry's request.
void selectOrigin(ClientSession& session, const JournalRequest& r) {
    const int index = session.operadoras.indexOfName(r.administradora);
    if (index == 0 || !session.operadoras.select(index, session.settings))
        session.settings.CodigoAdministradora = r.codigoAdministradora;
    // The name exactly as the request carried it (040-000).
    session.settings.NomeAdministradora = r.administradora;
    if (r.tipoEstab > 0) session.settings.TipoEstab = r.tipoEstab;
}

QString outcomeText(const JournalEntry& e) {
    if (e.open()) return QStringLiteral("sem resposta do servidor; fica pendente para nova tentativa");
    switch (e.outcome) {
        case JournalOutcome::Confirmada:
            return QStringLiteral("confirmada");
        case JournalOutcome::Desfeita:
            return QStringLiteral("desfeita");
        case JournalOutcome::NaoAutorizada:
            return QStringLiteral("não chegou a ser autorizada");
        case JournalOutcome::LiquidacaoRecusada:
            return QStringLiteral("recusada pelo servidor (") + e.status.trimmed() + QStringLiteral(")");
        case JournalOutcome::Recusada:
            return QStringLiteral("recusada");
        case JournalOutcome::Nenhum:
            break;
    }
    return {};
}

}  // namespace

PendingPolicy pendingPolicy(const QString& value) {
    const QString v = value.trimmed().toUpper();
    if (v == QStringLiteral("DESFAZER")) return PendingPolicy::Desfazer;
    if (v == QStringLiteral("CONFIRMAR")) return PendingPolicy::Confirmar;
    return PendingPolicy::Perguntar;
}

QString describeEntry(const JournalEntry& e) {
    QString text = journalKindName(e.request.kind);
    if (!e.nsu.trimmed().isEmpty()) text += QStringLiteral("  NSU ") + e.nsu.trimmed();
    if (isCancellation(e.request.kind))
        text += QStringLiteral(" (da transação NSU ") + e.request.nsuOriginal.trimmed() + QStringLiteral(")");
    text += QStringLiteral("\nData: ") + e.pedidoEm.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    if (!e.request.cartao.isEmpty()) text += QStringLiteral("\nCartão: ") + e.request.cartao;
    if (!e.request.total.isEmpty()) text += QStringLiteral("\nValor: ") + e.request.total;
    return text;
}

QString settlementReport(const std::vector<SettledEntry>& settled) {
    if (settled.empty()) return {};
    QString text = QStringLiteral("Transações pendentes encontradas no diário:\n");
    for (const SettledEntry& s : settled) {
        QString nsu = s.entry.nsu.trimmed();
        if (nsu.isEmpty()) nsu = QStringLiteral("da transação ") + s.entry.request.nsuOriginal.trimmed();
        text += QStringLiteral("\n") + journalKindName(s.entry.request.kind) + QStringLiteral(" NSU ") +
                nsu + QStringLiteral(", ") +
                s.entry.pedidoEm.toString(QStringLiteral("dd/MM/yyyy hh:mm")) +
                (s.entry.request.total.isEmpty() ? QString() : QStringLiteral(", ") + s.entry.request.total) +
                QStringLiteral(": ") + s.texto;
    }
    return text;
}

PendingQuestion askOperator(Dialogs& dialogs) {
    return [&dialogs](const JournalEntry& e) {
        MessageRequest box{QStringLiteral("Transação pendente encontrada no diário:\n\n") +
                               describeEntry(e) +
                               QStringLiteral("\n\nConfirmar a transação ou desfazê-la?"),
                           QStringLiteral("Atenção"),
                           MessageIcon::Question,
                           MessageButtons::YesNo,
                           MessageAnswer::No,
                           {QStringLiteral("Confirmar"), QStringLiteral("Desfazer")}};
        return dialogs.showMessage(box) == MessageAnswer::Yes;
    };
}

bool settleJournal(ClientSession& session) {
    if (session.journal == nullptr) return true;
    PendingSettlement settlement(session, pendingPolicy(session.settings.PendenteAoIniciar),
                                 askOperator(session.dialogs));
    const std::vector<SettledEntry> settled = settlement.run();
    bool resolved = true;
    for (const SettledEntry& s : settled) resolved = resolved && s.resolved;
    if (!settled.empty())
        session.dialogs.message(settlementReport(settled), QStringLiteral("Atenção"),
                                resolved ? MessageIcon::Information : MessageIcon::Warning);
    if (!session.journal->compact())
        session.reporter.TrataErro(QStringLiteral("Diario"), session.journal->lastError());
    return resolved;
}

PendingSettlement::PendingSettlement(ClientSession& session, PendingPolicy policy, PendingQuestion ask)
    : session_(session), policy_(policy), ask_(std::move(ask)) {}

std::vector<SettledEntry> PendingSettlement::run() {
    std::vector<SettledEntry> settled;
    if (session_.journal == nullptr) return settled;
    session_.journal->load();
    for (const JournalEntry& entry : session_.journal->openEntries())
        settled.push_back(settle(entry, std::nullopt));
    return settled;
}

std::optional<SettledEntry> PendingSettlement::settleByHand(const QString& nsu, bool confirm) {
    if (session_.journal == nullptr) return std::nullopt;
    session_.journal->load();
    for (const JournalEntry& entry : session_.journal->openEntries()) {
        if (sameNsu(nsu, entry.nsu)) return settle(entry, confirm);
    }
    return std::nullopt;
}

QString PendingSettlement::lookUp(const JournalEntry& entry, bool& known) {
    known = false;
    const JournalRequest& r = entry.request;
    const QString pattern = reportFilePattern(ReportFileKind::TransacoesPendentes, r.tipoEstab,
                                              r.codigoAdministradora);
    if (pattern.isEmpty()) return {};
    GridModel grid;
    QString subtitle;
    QString path;
    const ReportLoad load =
        loadReportFile(pattern, grid, subtitle, session_.settings, session_.reporter, path);
    if (load != ReportLoad::Loaded && load != ReportLoad::Empty) return {};
    known = true;
    for (int row = 1; row <= grid.maxRows(); ++row) {
        const QString nsu = grid.text(row, kColNsu);
        if (r.kind == JournalKind::Venda || r.kind == JournalKind::Pendente) {
            if (sameNsu(nsu, entry.nsu)) return nsu;
            continue;
        }
        // A cancellation: the host's pending cancellation of the same
        // transaction that no other entry of the journal stands for.
        if (grid.text(row, kColStatus).trimmed() != kStatusCancelamento ||
            !sameNsu(grid.text(row, kColNsuOriginal), r.nsuOriginal))
            continue;
        const JournalEntry* other = session_.journal->findByNsu(nsu);
        if (other == nullptr || other->id == entry.id) return nsu;
    }
    return {};
}

bool PendingSettlement::send(const JournalEntry& entry, const QString& nsu, bool confirm) {
    SessionScope scope(session_);
    selectOrigin(session_, entry.request);
    session_.nsu = nsu;
    session_.tipoTransacao = entry.request.tipoTransacao;
    session_.pendente = {entry.request.pendenteTipo, entry.request.pendenteStatus};
    if (session_.journalActor == JournalActor::Operador) session_.journalActor = JournalActor::Inicio;
    return confirm ? Mensagem_Confirmacao(session_) : Mensagem_Anulacao(session_);
}

SettledEntry PendingSettlement::settle(const JournalEntry& entry, std::optional<bool> decision) {
    TransactionJournal& journal = *session_.journal;
    const std::string id = entry.id;
    auto current = [&] { return *journal.find(id); };
    auto result = [&](const QString& extra = QString()) {
        SettledEntry s;
        s.entry = current();
        s.resolved = !s.entry.open();
        s.texto = extra.isEmpty() ? outcomeText(s.entry) : extra;
        return s;
    };
    JournalEntry e = entry;
    if (e.state == JournalState::AguardandoResposta) {
        bool known = false;
        const QString found = lookUp(e, known);
        if (!found.isEmpty()) {
            if (!journal.resposta(id, true, found, QString(), true))
                return result(QStringLiteral("o diário não pôde ser gravado: ") + journal.lastError());
            e = current();
        } else if (e.request.kind != JournalKind::Venda || e.nsu.trimmed().isEmpty()) {
            if (!known)
                return result(QStringLiteral("a lista de transações pendentes não pôde ser lida; fica pendente"));
            journal.encerra(id, JournalOutcome::NaoAutorizada, QString());
            return result();
        } else {
            // A sale the host does not list as pending: annulled all the same.
            send(e, e.nsu, false);
            const JournalEntry after = current();
            if (!after.open() && after.outcome == JournalOutcome::LiquidacaoRecusada)
                journal.encerra(id, JournalOutcome::NaoAutorizada, after.status);
            return result();
        }
    }
    bool confirm = false;
    switch (e.state) {
        case JournalState::Autorizada:
            confirm = decision                                  ? *decision
                      : policy_ == PendingPolicy::Confirmar     ? true
                      : policy_ == PendingPolicy::Desfazer      ? false
                      : ask_                                    ? ask_(e)
                                                                : false;
            break;
        case JournalState::Confirmando:
        case JournalState::Desfazendo:
            // What was sent is sent again: a transaction whose confirmation
            // left is never annulled afterwards, nor the other way round.
            confirm = e.state == JournalState::Confirmando;
            if (decision && *decision != confirm)
                return result(confirm ? QStringLiteral("a confirmação já foi enviada: só pode ser confirmada")
                                      : QStringLiteral("a anulação já foi enviada: só pode ser desfeita"));
            break;
        case JournalState::AguardandoResposta:
        case JournalState::Encerrada:
            return result();
    }
    send(e, e.nsu, confirm);
    return result();
}

}  // namespace vtx::client
