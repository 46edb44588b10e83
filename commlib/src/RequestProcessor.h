// One complete request of Process / Process_Server: settings read afresh,
// one connection, one framed message out, one reply in, connection closed.
//
// Thread-safety: any number of requests may run at once; each has its own
// settings, socket, buffers and trace entries.
#pragma once

#include "RequestSettings.h"

namespace vtx::cli {

// `buffer` holds VX_BUFFER_SIZE bytes: "%04d" + message on entry, the framed
// reply and a terminator on return. Results as documented in vx32_cli.h.
int processRequest(char* buffer, const char* operatorText, const char* service, Mode mode);

}  // namespace vtx::cli
