#include "WindowLauncher.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "vtx/platform/ErrorText.h"

namespace vtx::linkagent {
namespace {

bool isSet(const char* name) {
    // getenv races only with a change of the environment, which LinkAgent never makes.
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): see above
    return value && *value;
}

}  // namespace

bool displayAvailable() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

std::string execWindowProgram(const std::vector<std::string>& arguments) {
    if (!displayAvailable()) return "no display for the status window";
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "cannot find the program's folder (" + ec.message() + ")";
    const std::string program = (self.parent_path() / "LinkAgentWindow").string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    return program + ": " + vtx::platform::errorText(errno);
}

}  // namespace vtx::linkagent
