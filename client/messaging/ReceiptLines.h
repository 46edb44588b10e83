// The receipt of an authorised transaction, read from the last answer: the
// line count (028-000) and the lines (029-000, 029-001, ...).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>

#include "core/ClientSession.h"

namespace vtx::client {

// The line count of the last answer; 0 when absent or not numeric. In the
// ISO form reading it also sets the receipt prefix of the product records.
qint16 GetQtdLinha(ClientSession& session);

// Receipt line `line` (029-<line as 3 digits>), unchanged; empty when absent.
QString GetLinhaImpressao(ClientSession& session, qint16 line);

}  // namespace vtx::client
