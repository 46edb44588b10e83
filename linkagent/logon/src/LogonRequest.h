// The logon request (ISO 8583 0800, processing code 388000) that asks an
// operator's host for the next piece of its tables; byte layout in
// logon-messages.md.
//
// Thread-safety: pure function.
#pragma once

#include <string>
#include <string_view>

#include "LogonStore.h"

namespace vtx::linkagent::logon {

// The framed request, 77 bytes: "0073" and the message. The establishment
// code is left-justified, blank-padded and cut to 15; batch number, table
// version and continuation are cut to 10, 6 and 10 characters and
// right-justified with "0" on the left (empty on the first request).
std::string buildLogonRequest(std::string_view establishment, const LogonMark& mark,
                              std::string_view continuation);

}  // namespace vtx::linkagent::logon
