// Settling what the pending-transaction journal holds open: the sales and
// cancellations a station left authorised (or sent without hearing the
// answer) and the confirmations and annulments whose outcome it never heard,
// each sent again, decided by the station's setting or the operator, and
// recorded in the journal.
//
// Per open entry:
// - its answer never came: the transaction is first looked up in the host's
//   pending transactions (the "TP" report file of its administrator); found,
//   it counts as authorised; not found, a sale is annulled all the same (the
//   host holds nothing pending, and an annulment of what it does not hold
//   does no harm) and a cancellation is closed as not authorised;
// - authorised: confirmed or annulled as the policy says (or as the
//   operator answers, when it says to ask);
// - a confirmation or annulment was sent: it is sent again; the host answers
//   a repeated one with "already done", which counts as done.
// An entry whose request finds no host stays open for the next settlement.
//
// Thread-safety: the client's user-interface thread only (it sends requests
// through the session).
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "core/ClientSession.h"
#include "core/TransactionJournal.h"

namespace vtx::client {

// What the station does with an authorised transaction it finds left open:
// VtxClient.ini [DADOS_GERAIS] PendenteAoIniciar.
enum class PendingPolicy {
    Perguntar,  // ask the operator: "Confirmar" or "Desfazer" (the default)
    Desfazer,   // always annul
    Confirmar,  // always confirm
};

// The setting's value read without regard to case or blanks; empty or
// unknown values ask.
PendingPolicy pendingPolicy(const QString& value);

// The operator's decision on an authorised entry: true confirms.
using PendingQuestion = std::function<bool(const JournalEntry&)>;

// One entry as the settlement left it.
struct SettledEntry {
    JournalEntry entry;  // as the journal holds it after the settlement
    bool resolved = false;
    QString texto;       // what became of it, for the operator
};

class PendingSettlement {
public:
    PendingSettlement(ClientSession& session, PendingPolicy policy, PendingQuestion ask);

    // Settles every open entry of the session's journal, oldest first.
    std::vector<SettledEntry> run();

    // Settles the entry of `nsu` (the host's NSU) by hand: confirmed or
    // annulled as asked, whatever the policy. nullopt when the journal has no
    // open entry of that NSU.
    std::optional<SettledEntry> settleByHand(const QString& nsu, bool confirm);

private:
    SettledEntry settle(const JournalEntry& entry, std::optional<bool> decision);
    // The host's NSU of an entry whose answer never came, as its pending
    // transactions show it; empty when it is not there. `known`: false when
    // the list could not be read at all.
    QString lookUp(const JournalEntry& entry, bool& known);
    bool send(const JournalEntry& entry, const QString& nsu, bool confirm);

    ClientSession& session_;
    PendingPolicy policy_;
    PendingQuestion ask_;
};

// The operator's account of a settlement ("Transações pendentes ..."), one
// line per entry; empty when there was none.
QString settlementReport(const std::vector<SettledEntry>& settled);

// The operator's question on an authorised entry, through `dialogs`:
// the entry described, "Confirmar" or "Desfazer" ("Desfazer" preselected).
PendingQuestion askOperator(Dialogs& dialogs);

// The settlement the client runs when it starts and before a sale: the
// policy of the station's settings (PendenteAoIniciar), the operator asked
// through the session's boxes, the account shown, the journal compacted.
// True when nothing is left open.
bool settleJournal(ClientSession& session);

// The text that presents an entry to the operator: kind, NSU, time, card and
// total.
QString describeEntry(const JournalEntry& entry);

}  // namespace vtx::client
