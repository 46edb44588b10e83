#include "vtx/installer/InstallMedium.h"

#include <sys/stat.h>

#include <filesystem>

#include "vtx/platform/Paths.h"
#include "vtx/platform/SharedLibrary.h"

namespace vtx::install {

namespace {

bool isPlainFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::vector<std::string> requiredPrograms() {
    return {std::string(kLinkAgentProgram), std::string(kClientProgram), std::string(kCommLibrary),
            std::string(kPinPadLibrary)};
}

std::vector<std::string> mediumDataFiles() {
    return {"PinPad.ini", "VXIFCFG.BIN", "VXIFNAT.BIN", std::string(kClientIni)};
}

std::string defaultMediumDir() {
    const std::string own = platform::programDirectory();
    if (!own.empty() && mediumFile(own, "INSTALL.INI")) return own;
    // The package's programs are in <prefix>/lib/vantorix, its data folder
    // in <prefix>/share/vantorix (also when installed below another root).
    const std::string packaged = own + "/../../share/vantorix";
    if (!own.empty() && mediumFile(packaged, "INSTALL.INI")) {
        std::error_code ec;
        const auto canonical = std::filesystem::canonical(packaged, ec);
        return ec ? packaged : canonical.string();
    }
    return kPackageDataDir;
}

std::optional<std::string> mediumFile(const std::string& dir, std::string_view name) {
    const std::string path = platform::resolve(platform::joinPath(dir, name));
    if (!isPlainFile(path)) return std::nullopt;
    return path;
}

std::optional<std::string> missingProgram(const std::string& dir) {
    for (const std::string& program : requiredPrograms()) {
        if (!mediumFile(dir, program)) return program;
    }
    return std::nullopt;
}

}  // namespace vtx::install
