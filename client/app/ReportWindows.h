// The report screens as the administrative menu opens them: the screen of
// the kind asked for, framed by the main window (its title, print entry and
// end of the program), with the main menu's close and print commands routed
// to it while it is open, shown modally.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include "core/ClientSession.h"
#include "screens/MainFrame.h"
#include "screens/ScreenOpeners.h"

namespace vtx::client {

void openReportWindow(ReportKind kind, ClientSession& session, MainFrame& frame);

}  // namespace vtx::client
