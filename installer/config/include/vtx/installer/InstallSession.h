// The checks an installation makes before its first page, shared by the
// wizard and the unattended mode.
//
// Thread-safety: functions over the file system and the root's named locks.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "vtx/platform/NamedMutex.h"

namespace vtx::install {

// The installer's own single-instance lock in this VTX_ROOT ("a window
// titled Instalação / Configurador Vantorix Client already exists"). Holds
// it for the object's life; nullptr when another installer holds it.
std::unique_ptr<platform::NamedMutex> takeInstallerLock();

// True when LinkAgent runs in this VTX_ROOT (it holds its single-instance
// mutex). The installer then says kLinkAgentRunningMessage and ends.
bool linkAgentRunning();
inline constexpr const char* kLinkAgentRunningMessage =
    "O Aplicativo LinkAgent est\xE1 no ar!\r\npara continuar feche-o.";

// "%s\CORE.INI" of the current locator's Path Server exists: the station is
// installed, and the installer asks kReinstallQuestion.
bool alreadyInstalled();
inline constexpr const char* kReinstallQuestion =
    "M\xF3" "dulo j\xE1 instalado! Deseja reinstalar ?\r\n"
    "Para reinstalar ou recome\xE7" "ar o processo.  - Tecle OK\r\n"
    "Para usar o m\xF3" "dulo instalado Tecle CANCEL e use o \xED" "cone do Vantrix";

// The scratch answers file MSTMPFILE.TMP (Windows directory), native path;
// startScratch() removes what a previous run left.
std::string scratchFilePath();
void startScratch();

// The server installation's mark the station pages wait for:
// "<SERVER/DRIVE>\VANTRIX\INSTALL.TXT", native; a server installation writes
// it after its CORE.INI.
std::string serverMarkPath(const std::string& serverDrive);
inline constexpr int kServerMediumWaitMs = 1200000;

}  // namespace vtx::install
