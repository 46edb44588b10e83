// InstallVtx --unattended ANSWERS.INI [--medium DIR]: the installation
// without a window. The same start-up checks and page checks as the wizard
// (on the pages the answers' kind and access mode visit), then the same
// configuration step. Messages go out in UTF-8, one line each.
//
// Thread-safety: one run per process.
#pragma once

#include <iosfwd>
#include <string>

namespace vtx::install {

struct UnattendedOptions {
    std::string answersFile;  // native or relative path
    std::string mediumDir;    // empty: defaultMediumDir()
};

// 0 when the station is configured; otherwise 1 with the reason on `err`
// (nothing of the configuration written when a check failed).
int runUnattended(const UnattendedOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vtx::install
