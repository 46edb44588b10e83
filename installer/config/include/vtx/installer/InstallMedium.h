// The installation medium: the folder holding the station's programs and the
// data files the installer reads (INSTALL.INI, PinPad.ini, VXIFCFG.BIN,
// VXIFNAT.BIN and the client's default VtxClient.ini).
//
// Thread-safety: pure functions over the file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vtx::install {

// The programs a medium must hold; LinkAgentWindow is copied when present.
inline constexpr std::string_view kLinkAgentProgram = "LinkAgent";
inline constexpr std::string_view kClientProgram = "VtxClient";
inline constexpr std::string_view kLinkAgentWindowProgram = "LinkAgentWindow";
inline constexpr std::string_view kCommLibrary = "libVX32_CLI.so";
inline constexpr std::string_view kPinPadLibrary = "libVX32_PIN.so";
std::vector<std::string> requiredPrograms();

// The data files copied into the installation directory; VtxClient.ini only
// when the installation directory has none.
inline constexpr std::string_view kClientIni = "VtxClient.ini";
std::vector<std::string> mediumDataFiles();

// The medium when none is named: the folder of the running InstallVtx when
// it holds INSTALL.INI (a build's bin folder), else the package's data
// folder beside its programs (<prefix>/share/vantorix for
// <prefix>/lib/vantorix/InstallVtx), else /usr/share/vantorix.
std::string defaultMediumDir();
inline constexpr const char* kPackageDataDir = "/usr/share/vantorix";

// The first required program the medium `dir` (native) lacks, or nullopt.
std::optional<std::string> missingProgram(const std::string& dir);

// A file of the medium, found without regard to case; nullopt when missing.
std::optional<std::string> mediumFile(const std::string& dir, std::string_view name);

}  // namespace vtx::install
