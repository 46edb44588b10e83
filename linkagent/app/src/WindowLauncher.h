// `LinkAgent --window`: the status dialog and tray icon live in the program
// LinkAgentWindow (Qt Widgets), installed beside LinkAgent, so the daemon
// itself needs no display. This hands the process over to it.
//
// Thread-safety: call before any thread starts (it replaces the process).
#pragma once

#include <string>
#include <vector>

namespace vtx::linkagent {

// True when a window can be shown: DISPLAY or WAYLAND_DISPLAY is set, or
// QT_QPA_PLATFORM names a platform plugin.
bool displayAvailable();

// Replaces the process with LinkAgentWindow and `arguments`; returns only
// when that could not be done, with the reason.
std::string execWindowProgram(const std::vector<std::string>& arguments);

}  // namespace vtx::linkagent
