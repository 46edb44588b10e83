// The configuration step that ends the installation: from the answers it
// builds every file the station needs (the locator WINVTXCORE.INI, CORE.INI,
// the client's captions in VtxClient.ini, PPVISA.INI, the route file
// VXIFCLI.BIN for local access, the programs and data files of the medium)
// completely in memory, then puts them in place file by file, each by an
// atomic replacement, CORE.INI last: it marks the installation as done, so a
// run killed half-way leaves each file old or new, and a second run, still a
// first installation, finishes the job.
//
// The wizard and the unattended mode both end here.
//
// Thread-safety: one configuration at a time per VTX_ROOT (the installer's
// single-instance lock); the functions themselves keep no state.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "vtx/installer/InstallAnswers.h"
#include "vtx/installer/InstallDescription.h"

namespace vtx::install {

// Where an installation goes (Windows-style paths): kinds 0-2 the folder
// Vantrix on SERVER/DRIVE; kinds 3-4 SERVER/PATH, with the programs in the
// folder Vantrix on ESTACAO/DRIVEEST.
struct InstallLocation {
    std::string installDir;  // Path Server and Path Core
    std::string stationDir;  // where the programs are copied
};
InstallLocation locationFor(const InstallAnswers& answers);

struct PlanOptions {
    // Copy the medium's programs and data files (an installation); off for
    // the configurator on an existing installation.
    bool copyMedium = true;
    // Ask for the PIN pad (the page was visited); off with ATIVA_ESTACAO.
    bool pinPadAsked = true;
    // Start LinkAgent and the client at the end (still subject to
    // ATIVA_LA / ATIVA_CLIENT and to a first installation).
    bool startPrograms = true;
};

struct FileWrite {
    std::string path;     // native
    std::string content;  // the whole new file
    mode_t mode = 0666;   // widest mode (AtomicFile.h)
    std::string what;     // for the report: "CORE.INI", "VXIFCLI.BIN (3 routes)", ...
    // Non-empty: the file is a symbolic link to this program (native,
    // absolute) instead of a copy: a medium whose programs are links (the
    // package's data folder) installs links, so an upgrade of the package
    // upgrades the station.
    std::string linkTarget;
};

struct ConfigurationPlan {
    InstallLocation location;
    bool firstInstallation = true;
    std::vector<FileWrite> writes;       // in the order they are put in place
    std::vector<std::string> folders;    // native, created before CORE.INI
    std::vector<std::string> removals;   // native, kinds 3-4: programs of the station
    std::vector<std::string> starts;     // native programs started detached at the end
    std::string finalMessage;            // kinds 3-4: "INSTALAÇÃO REALIZADA COM SUCESSO!"
};

struct PlanResult {
    std::optional<ConfigurationPlan> plan;
    std::string error;  // Windows-1252, shown or printed as is
};

// Builds the plan; reads the current files and the medium (native folder),
// writes nothing. Fails with a message for a medium without the programs
// ("Arquivo de instalação não localizado !"), a missing or damaged route
// file of the medium, a PIN pad model PinPad.ini does not list, an answer
// outside its range.
PlanResult planConfiguration(const InstallAnswers& answers, const InstallDescription& description,
                             const std::string& mediumDir, const PlanOptions& options = {});

struct ApplyReport {
    bool ok = false;
    std::string error;              // Windows-1252; names the file that could not be written
    std::vector<std::string> done;  // one line per file, folder, removal and start
};

// Puts the plan in place in its order; stops at the first failure (files
// already replaced stay new, the rest stay old; a second run finishes).
ApplyReport applyConfiguration(const ConfigurationPlan& plan);

// The answers an existing installation was configured with, read back from
// its WINVTXCORE.INI and CORE.INI (the configurator modes "1" and "2");
// what CORE.INI does not keep comes back as the defaults.
InstallAnswers installedAnswers();

// The message of a failed configuration step.
inline constexpr const char* kInstallFailedMessage =
    "Erro na instala\xE7\xE3o do aplicativo!!\r\n Reinstale o sistema!!";
inline constexpr const char* kMediumNotFoundMessage = "Arquivo de instala\xE7\xE3o n\xE3o localizado !";
inline constexpr const char* kServerUnreachableMessage =
    "Problema no acesso ao Servidor. Favor verificar a rede!!";
inline constexpr const char* kInstalledMessage = "INSTALA\xC7\xC3O REALIZADA COM SUCESSO!";

}  // namespace vtx::install
