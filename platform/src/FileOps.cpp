#include "FileOps.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "vtx/platform/AsciiCase.h"

namespace vtx::platform::detail {

namespace {

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path, int& err, struct stat* st) {
    err = 0;
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        err = errno;
        return std::nullopt;
    }
    struct stat own {};
    if (st == nullptr) st = &own;
    if (::fstat(fd.get(), st) != 0) {
        err = errno;
        return std::nullopt;
    }
    std::string content;
    if (st->st_size > 0) content.reserve(static_cast<size_t>(st->st_size));
    char buf[16384];
    for (;;) {
        ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return std::nullopt;
        }
        if (n == 0) return content;
        content.append(buf, static_cast<size_t>(n));
    }
}

bool makeDirectories(const std::string& dir) {
    if (dir.empty() || isDirectory(dir)) return true;
    // Create each prefix in turn; EEXIST from a racing creator is fine.
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = dir.find('/', pos + 1);
        std::string prefix = dir.substr(0, pos);
        if (prefix.empty()) continue;
        if (::mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return isDirectory(dir);
}

std::string dirName(std::string_view path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos) return ".";
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::string baseName(std::string_view path) {
    size_t slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string findEntryIgnoreCase(const std::string& dir, std::string_view name) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (d == nullptr) return {};
    std::string best;
    bool exact = false;
    size_t seen = 0;
    // NOLINTNEXTLINE(concurrency-mt-unsafe): this scan owns its stream
    while (const dirent* e = ::readdir(d)) {
        if (++seen > kMaxScanEntries) break;
        std::string_view entry(e->d_name);
        if (entry == name) {
            exact = true;
            break;
        }
        if (equalsIgnoreCase(entry, name) && (best.empty() || entry < best)) best = entry;
    }
    ::closedir(d);
    return exact ? std::string(name) : best;
}

}  // namespace vtx::platform::detail
