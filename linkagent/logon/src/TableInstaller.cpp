#include "TableInstaller.h"

#include <filesystem>
#include <system_error>

#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent::logon {
namespace {

namespace fs = std::filesystem;

constexpr size_t kGenerationSuffix = 4;  // ".Sxx"

// Tables are private to the installation's user and reach the disk before
// anything older goes.
constexpr platform::FileOptions kTableFile{.mode = platform::kPrivateFileMode, .durable = true};

}  // namespace

bool TableInstaller::isGenerationName(std::string_view name) {
    const size_t dotS = name.find(".S");
    return dotS != std::string_view::npos && name.size() - dotS == kGenerationSuffix;
}

std::optional<std::string> TableInstaller::existing(const std::string& name) const {
    std::error_code ec;
    const std::string exact = platform::joinPath(dir_, name);
    if (fs::is_regular_file(exact, ec)) return exact;
    return platform::findFirstFile(dir_, name);
}

bool TableInstaller::move(const std::string& from, const std::string& to) const {
    if (platform::installFile(from, to, kTableFile) == 0) return true;
    logger_.logf("Erro movendo arquivo [%s] para [%s]", from.c_str(), to.c_str());
    return false;
}

bool TableInstaller::keepCopy(const std::string& from, const std::string& to) const {
    // A second name for the same content, swapped in by a rename so `to` is
    // always whole.
    const std::string staging = platform::temporaryPathFor(to);
    std::error_code ec;
    fs::create_hard_link(from, staging, ec);
    if (ec) fs::copy_file(from, staging, ec);
    if (!ec && platform::installFile(staging, to, kTableFile) == 0) return true;
    fs::remove(staging, ec);
    logger_.logf("Erro movendo arquivo [%s] para [%s]", from.c_str(), to.c_str());
    return false;
}

void TableInstaller::removeOtherGenerations(const std::string& name) const {
    std::error_code ec;
    const std::string family = name.substr(0, name.size() - kGenerationSuffix) + ".S??";
    for (const std::string& other : platform::findFiles(dir_, family)) {
        if (other != name) fs::remove(platform::joinPath(dir_, other), ec);
    }
}

bool TableInstaller::install(const std::string& tempPath, const std::string& name) const {
    const std::string target = platform::joinPath(dir_, name);
    std::error_code ec;
    if (isGenerationName(name)) {
        if (!move(tempPath, target)) return false;
        removeOtherGenerations(name);
        return true;
    }
    const std::string backup = target + ".BKP";
    const std::optional<std::string> previous = existing(name);
    const std::optional<std::string> oldBackup = existing(name + ".BKP");
    if (previous) {
        if (!keepCopy(*previous, backup)) return false;
    }
    // Without a file to replace there is no previous copy to keep either.
    if (oldBackup && (!previous || *oldBackup != backup)) fs::remove(*oldBackup, ec);
    if (!move(tempPath, target)) return false;
    if (previous && *previous != target) fs::remove(*previous, ec);
    return true;
}

}  // namespace vtx::linkagent::logon
