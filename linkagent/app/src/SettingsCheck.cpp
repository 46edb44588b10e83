#include "SettingsCheck.h"

#include <filesystem>

#include "LinkAgentProgram.h"
#include "RouteFile.h"
#include "vtx/linkagent/shellfile/ShellFileSettings.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent {
namespace {

constexpr const char* kRouteFile = "VXIFCLI.BIN";

// "C:\Vantrix (/root/C/Vantrix) found", or "... not found".
std::string located(const std::string& path, bool wantFolder) {
    const std::string native = vtx::platform::resolve(path);
    std::error_code ec;
    const bool found = wantFolder ? std::filesystem::is_directory(native, ec)
                                  : std::filesystem::is_regular_file(native, ec);
    std::string text = path;
    if (native != path) text += " (" + native + ")";
    return text + (found ? " found" : " not found");
}

std::string framingText(const TerminalFraming& framing) {
    if (framing.dataType == DataType::Binary)
        return "Data Type B (two-byte length, low byte first)";
    return "Data Type N, Len Size " + std::to_string(framing.lenSize);
}

}  // namespace

void SettingsCheck::showFiles() {
    output_.line("installation directory: " + located(settings_.pathServer, true));
    output_.line("CORE.INI: " + located(settings_.coreIni, false));
}

std::optional<std::string> SettingsCheck::showDialUp() {
    if (!settings_.dialUp) {
        output_.line("dial-up: not in use");
        return std::nullopt;
    }
    std::optional<std::string> stop = dialUpCheck_ ? dialUpCheck_() : std::nullopt;
    std::string line = "dial-up: in use";
    if (settings_.time2HangUp > 0)
        line += ", hung up after " + std::to_string(settings_.time2HangUp) + " s idle";
    output_.line(line + (stop ? ", start-up check failed: " + *stop : ", start-up check passed"));
    return stop;
}

void SettingsCheck::showFolderInterface() {
    if (!settings_.folderInterface) {
        output_.line("folder interface: off");
        return;
    }
    const ShellFileSettings shell = readShellFileSettings(settings_.coreIni);
    output_.line("folder interface: on, requests " + shellInputFolder(settings_.pathServer, shell) +
                 ", answers " + shellOutputFolder(settings_.pathServer, shell));
}

void SettingsCheck::showRouteFile() {
    const std::string path = settings_.pathServer + "\\" + kRouteFile;
    std::error_code ec;
    const std::string prefix = std::string("route file ") + kRouteFile + ": ";
    if (!std::filesystem::is_regular_file(vtx::platform::resolve(path), ec)) {
        output_.line(prefix + "missing");
        return;
    }
    const size_t records = vtx::cli::readRouteRecords(path).size();
    output_.line(prefix + "present, " + std::to_string(records) +
                 (records == 1 ? " record" : " records"));
}

int SettingsCheck::run() {
    showFiles();
    const ListenSettingsResult listen = readListenSettings(settings_.coreIni);
    if (listen.settings) {
        const ListenSettings& s = *listen.settings;
        output_.line("listen: " + (s.address.empty() ? std::string("all addresses") : s.address) +
                     ", port " + std::to_string(s.port) + ", at most " +
                     std::to_string(s.maxConnections) + " requests at once");
        output_.line("framing: " + framingText(s.framing));
    } else {
        output_.line("listen: " + listen.error);
    }
    const std::optional<std::string> dialUpStop = showDialUp();
    showFolderInterface();
    showRouteFile();

    // The first reason a start would stop at, and its status.
    int status = LinkAgentProgram::kExitOk;
    std::string reason;
    if (dialUpStop) {
        status = LinkAgentProgram::kExitDialUp;
        reason = *dialUpStop;
    } else if (!listen.settings) {
        status = LinkAgentProgram::kExitSettings;
        reason = listen.error;
    }
    if (status == LinkAgentProgram::kExitOk) {
        output_.line("check: LinkAgent can start");
    } else {
        output_.line("check: LinkAgent cannot start (exit status " + std::to_string(status) + ")");
        output_.error(reason);
    }
    output_.flush();
    return status;
}

}  // namespace vtx::linkagent
