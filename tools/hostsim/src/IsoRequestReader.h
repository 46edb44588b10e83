// Reads a request in the ISO 8583 form into a HostRequest. The bits the
// stations send: 3 processing code, 37 host transaction number, 42
// establishment, 44 fiscal document, 48 identification fields, 55 card,
// 60 "page" + two-digit item count, 63 item records (by the request layouts
// of IsoRecordLayout), the search text of a product query or the
// distributor of a registration change.
//
// Thread-safety: pure function.
#pragma once

#include <optional>
#include <string>

#include "HostRequest.h"
#include "IsoMessage.h"

namespace vtx::hostsim {

// nullopt with `error` set when bit 63 does not split into whole records.
std::optional<HostRequest> readIsoRequest(const IsoMessage& message, std::string& error);

}  // namespace vtx::hostsim
