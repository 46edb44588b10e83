// The request builders' steps in the pending-transaction journal: a request
// the host will hold is recorded before it leaves and its answer when it
// comes; a confirmation or annulment before it leaves and its outcome when it
// comes. A session without a journal records nothing.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <string>

#include "core/ClientSession.h"

namespace vtx::client::detail {

// What the session knows of its current request, for the journal.
JournalRequest journalContext(const ClientSession& session, JournalKind kind);

// Records the request about to leave. False when it could not be recorded:
// the operator has been told, the fault reported under `procedure`, and the
// request must not leave. `id` receives the entry (empty without a journal).
bool journalRequest(ClientSession& session, JournalKind kind, const QString& procedure,
                    std::string& id);

// Records the answer of the last exchange to the request of entry `id`.
void journalAnswer(ClientSession& session, const std::string& id, bool authorised);

// Records a confirmation (`confirm`) or annulment of the session's NSU about
// to leave; as journalRequest().
bool journalSettling(ClientSession& session, bool confirm, const QString& procedure,
                     std::string& id);

// Records the outcome of a confirmation or annulment the host answered.
void journalSettled(ClientSession& session, const std::string& id, bool confirm, bool accepted);

}  // namespace vtx::client::detail
