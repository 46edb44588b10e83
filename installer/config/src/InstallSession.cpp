#include "vtx/installer/InstallSession.h"

#include <sys/stat.h>

#include <cstdio>

#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::install {

namespace {

// LinkAgent's single-instance mutex.
constexpr const char* kLinkAgentMutex = "__a___hMutexVeficaAntDialUp__a___";
constexpr const char* kInstallerMutex = "InstallVtx";
constexpr const char* kScratchFile = "MSTMPFILE.TMP";

}  // namespace

std::unique_ptr<platform::NamedMutex> takeInstallerLock() {
    auto lock = std::make_unique<platform::NamedMutex>(kInstallerMutex);
    if (!lock->tryLock()) return nullptr;
    return lock;
}

bool linkAgentRunning() {
    platform::NamedMutex probe(kLinkAgentMutex);
    return probe.attempt() == platform::NamedMutex::Attempt::kHeldElsewhere;
}

bool alreadyInstalled() {
    const std::string server =
        platform::iniGetString("WINVTXCORE.INI", "CORE", "Path Server", "C:\\Vantrix", 49);
    struct stat st {};
    return ::stat(platform::resolve(server + "\\CORE.INI").c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string scratchFilePath() { return platform::profilePath(kScratchFile); }

void startScratch() { std::remove(scratchFilePath().c_str()); }

std::string serverMarkPath(const std::string& serverDrive) {
    std::string drive = serverDrive;
    while (!drive.empty() && (drive.back() == '\\' || drive.back() == '/')) drive.pop_back();
    return platform::resolve(drive + "\\VANTRIX\\INSTALL.TXT");
}

}  // namespace vtx::install
