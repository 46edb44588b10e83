#include "LogonHandover.h"

#include <cstdio>

#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/Paths.h"
#include "vtx/platform/ProcessStart.h"

namespace vtx::cli {

void handOverLogon(const StationPaths& paths, SocketTrace& trace, std::string_view section) {
    const std::string installDir = vtx::platform::resolve(paths.pathServer);
    const std::string batch = vtx::platform::joinPath(installDir, "LA.bat");
    // The command line of this platform: the connection manager beside the
    // shop's files, logging the station on and ending.
    const std::string line = vtx::platform::joinPath(installDir, "LinkAgent") + " LOGIN";
    (void)std::remove(batch.c_str());  // one that stays is replaced whole just below
    vtx::platform::replaceFileAtomically(batch, line);
    int started = vtx::platform::startHidden(batch);
    char text[512];
    // A trace line: a longer folder name is cut there.
    (void)std::snprintf(text, sizeof text, "%d - %s", started, paths.pathServer.c_str());
    trace.step(section, "WinExec", text);
}

}  // namespace vtx::cli
