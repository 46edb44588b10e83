// Handing a logon over to the shop's connection manager: the one-line command
// file LA.bat in the installation directory names the connection manager with
// the argument LOGIN and is started hidden and detached; the request is
// answered "0002OK" at once, without a connection.
//
// Thread-safety: any thread; concurrent hand-overs each replace LA.bat whole.
#pragma once

#include "SocketTrace.h"
#include "StationConfig.h"

namespace vtx::cli {

// Writes and starts LA.bat; traces the start result under "WinExec" in
// `section`. The start result is only traced.
void handOverLogon(const StationPaths& paths, SocketTrace& trace, std::string_view section);

}  // namespace vtx::cli
