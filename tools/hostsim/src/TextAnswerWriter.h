// Writes an answer in the numbered-field form:
//   000-000 and 011-000 as the request had them, 009-000 status,
//   012-000 NSU ("%06d"), 030-000 operator message,
//   900-000 next page and 901-000 item count ("00"), the item groups per
//   item (902-000, 906-000, ..., 902-001, ...), 028-000 receipt line count
//   and 029-000... the lines.
// Fields with empty values are left out, as the stations do.
//
// Thread-safety: pure function.
#pragma once

#include <string>

#include "HostAnswer.h"
#include "HostRequest.h"

namespace vtx::hostsim {

std::string writeTextAnswer(const HostRequest& request, const HostAnswer& answer);

}  // namespace vtx::hostsim
