// InstallVtx with its window: the start-up checks and the wizard (or the
// configurator on an existing installation), for the program's main() when
// it runs without --unattended.
//
// Thread-safety: the program's main thread, once per process.
#pragma once

#include <string>

namespace vtx::install {

// Creates the QApplication (Qt's own texts in Portuguese), then: another
// installer of this VTX_ROOT ends this one with status 1; the scratch answers
// start empty; unless argv[1] starts with "1", a running LinkAgent is reported
// and the program ends; argv[1] starting with "2" opens the configurator on
// the existing installation, "1" its PIN pad page only; anything else is an
// installation from `mediumDir` (native folder holding INSTALL.INI,
// PinPad.ini and the programs; empty: defaultMediumDir()). Returns the exit
// status: 0 when the configuration was written, 1 when it was not.
int runInstallerWindow(int argc, char** argv, const std::string& mediumDir);

}  // namespace vtx::install
