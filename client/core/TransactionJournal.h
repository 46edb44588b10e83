// The pending-transaction journal: what the station asked of the host that
// the host holds until the station confirms or annuls it (a sale, a
// cancellation, a partial cancellation) and what became of it, kept in the
// installation directory so that a station killed or cut off in the middle
// finds, at its next start, every transaction it left undecided.
//
// Every step is one record appended to the file and flushed to disk before
// the step is taken: a request is recorded before it leaves, its answer when
// it arrives, a confirmation or annulment before it leaves and its outcome
// when it comes. A record torn by a kill or a power cut is not read (see
// vtx/platform/RecordLog.h), so the journal only ever knows what it wrote
// whole. Records never hold a card number or a track: the card is written
// masked (first 6 and last 4 digits; the last 4 only for a number of fewer
// than 13 digits) and a track is reduced to its masked card number. The file
// format is described in doc/journal.md.
//
// Thread-safety: one object per thread. Several processes may share the file
// (the client and the support command `vtx journal`); each appends under the
// file's lock, and a process sees the others' records after load().
#pragma once

#include <QDateTime>
#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/EstruturaPrincipal.h"
#include "vtx/platform/RecordLog.h"

namespace vtx::client {

// The kind of a journal entry.
enum class JournalKind {
    Venda,                // a sale (0200/800300)
    Cancelamento,         // a whole cancellation
    CancelamentoParcial,  // a cancellation of some units
    Pendente,             // a transaction confirmed or annulled without its request in the journal
};

// Where an entry stands.
enum class JournalState {
    AguardandoResposta,  // the request left; its answer was never recorded
    Autorizada,          // authorised; neither confirmation nor annulment sent
    Confirmando,         // a confirmation left; its outcome was never recorded
    Desfazendo,          // an annulment left; its outcome was never recorded
    Encerrada,           // settled: nothing is left to do
};

// How an entry ended.
enum class JournalOutcome {
    Nenhum,         // not ended yet
    Recusada,       // the host refused the request: nothing was held
    Confirmada,     // confirmed (also: the host had it confirmed already)
    Desfeita,       // annulled (also: the host had it annulled already)
    LiquidacaoRecusada,  // the host refused the confirmation or annulment (status kept)
    NaoAutorizada,  // its answer never came and the host holds nothing for it
};

// Who sent a confirmation or annulment.
enum class JournalActor { Operador, Inicio, Suporte };

// What the station knew when the request left.
struct JournalRequest {
    JournalKind kind = JournalKind::Venda;
    QString nsu;           // the transaction's NSU, when known before the answer (a sale)
    QString nsuOriginal;   // a cancellation: the NSU of the transaction it cancels
    QString cartao;        // card number or track as read; written masked
    QString total;         // the amount, "12,50"; empty when unknown
    QString administradora;      // the administrator's name (040-000)
    QString codigoAdministradora;
    qint16 tipoEstab = 0;
    QString tipoTransacao;  // the session's transaction type when the request left
    QString pendenteTipo;   // the pending type code and status of a pending transaction
    QString pendenteStatus;
};

struct JournalEntry {
    std::string id;
    JournalRequest request;  // cartao already masked
    QDateTime pedidoEm;      // when the request (or the first settlement) left
    QDateTime atualizadoEm;  // the time of the entry's last record
    QString nsu;             // the host's NSU, once known
    JournalState state = JournalState::AguardandoResposta;
    JournalOutcome outcome = JournalOutcome::Nenhum;
    QString status;          // the host's status of the last answer recorded
    bool pelaConsulta = false;  // its authorisation was found in the pending transactions

    bool open() const { return state != JournalState::Encerrada; }
};

class TransactionJournal {
public:
    // The journal's file name in the installation directory.
    static constexpr const char* kFileName = "VtxClient.jnl";

    // `path`: the native path of the file.
    explicit TransactionJournal(std::string path);

    // The native path of the journal of the station whose settings these are
    // (in PathServer, the installation directory).
    static std::string pathFor(const EstruturaPrincipal& settings);

    // Reads the file again (entries of every process). False, with the
    // reason in lastError(), when it exists and cannot be read; a missing
    // file is an empty journal.
    bool load();

    // The writers: each appends one record, flushed to disk, and updates the
    // entry. False (reason in lastError()) when the record could not be made
    // durable: a request must then not leave.

    // A request leaving; the new entry's id, or nullopt. A request for the
    // same kind and NSU as an entry still waiting for its answer takes that
    // entry up again.
    std::optional<std::string> pedido(const JournalRequest& request);
    // The answer of the request of entry `id` (or what the pending
    // transactions showed of it, `pelaConsulta`).
    bool resposta(const std::string& id, bool autorizada, const QString& nsu, const QString& status,
                  bool pelaConsulta = false);
    // A confirmation or annulment of `nsu` leaving: the entry of that NSU, or
    // a new entry of kind Pendente from `context` when the journal does not
    // know it. The entry's id, or nullopt.
    std::optional<std::string> liquidando(const QString& nsu, bool confirmar, JournalActor actor,
                                          const JournalRequest& context);
    // The end of entry `id`, with the host's status of it.
    bool encerra(const std::string& id, JournalOutcome outcome, const QString& status);

    const std::vector<JournalEntry>& entries() const { return entries_; }
    std::vector<JournalEntry> openEntries() const;
    const JournalEntry* find(const std::string& id) const;
    // The latest entry whose host NSU is `nsu` (compared by numeric value).
    const JournalEntry* findByNsu(const QString& nsu) const;

    // Lines of the file that were not whole records at the last load().
    size_t damagedRecords() const { return damaged_; }
    const QString& lastError() const { return lastError_; }
    const std::string& path() const { return log_.path(); }

    // Rewrites the file with the records of the open entries and of the
    // last `keepClosed` closed ones, when it holds more than that. False
    // (reason in lastError()) when it could not be rewritten.
    bool compact(size_t keepClosed = 200);

    // The clock of the records (tests set a fixed one).
    void setClock(QDateTime (*clock)()) { clock_ = clock; }

private:
    QDateTime now() const;
    bool write(const std::string& record);
    void apply(const std::string& record);
    JournalEntry* entry(const std::string& id);

    vtx::platform::RecordLog log_;
    std::vector<JournalEntry> entries_;
    std::vector<std::pair<std::string, std::string>> records_;  // id, record, in file order
    size_t damaged_ = 0;
    QString lastError_;
    QDateTime (*clock_)() = nullptr;
};

// The masked card of a journal record: the leading digits of the card or
// track, all but the first 6 and last 4 hidden (all but the last 4 when
// there are fewer than 13).
QString journalCard(const QString& cartao);

// Whether two NSU texts name one transaction: compared by numeric value
// ("000123" and "123"); an empty NSU names none.
bool sameNsu(const QString& a, const QString& b);

// Names of the journal's values as the support command and the screens show them.
QString journalKindName(JournalKind kind);
QString journalStateName(JournalState state);
QString journalOutcomeName(JournalOutcome outcome);

}  // namespace vtx::client
