// Connecting a request to its host with failover: the primary address, then
// the secondary one, each for the profile's number of attempts; between them
// the reachability probe tells a host that is down from one that refuses the
// service.
//
// Thread-safety: any thread; one call per request.
#pragma once

#include <string_view>

#include "RequestSettings.h"
#include "SocketTrace.h"
#include "vx32_cli.h"

namespace vtx::cli {

// Picks the port and size type for `service` ("ADM", "ATT", anything else is
// "CHK") into profile.selectedPort / sizeType / shiftKey.
void selectService(VxConnectionProfile& profile, std::string_view service, int sizeType);

// Connects `sock` to the profile's selected port. Returns 0, or -164 when an
// address answered the probe, else -163. Writes the TRACE and STATUSSERVER_n
// entries whether or not tracing is enabled.
int connectWithFailover(int sock, const VxConnectionProfile& profile, SocketTrace& trace);

}  // namespace vtx::cli
