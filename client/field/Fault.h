// A run-time fault handed back to the caller, who reports it through the
// client's error reporter (which lives in a higher layer than the field
// message).
//
// Thread-safety: a plain value.
#pragma once

#include <QString>

namespace vtx::client {

struct Fault {
    QString procedure;  // the procedure to report under, e.g. "AdicionaCampo"
    QString text;       // "<number> - <description>", e.g. "9 - Subscript out of range"
};

}  // namespace vtx::client
