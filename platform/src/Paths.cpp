#include "vtx/platform/Paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "FileOps.h"
#include "PathsDetail.h"
#include "vtx/platform/AsciiCase.h"

namespace vtx::platform {

namespace {

constexpr const char* kDefaultRoot = "/var/lib/vantorix";
constexpr const char* kDefaultWindowsDir = "C:\\Windows";

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

bool hasDriveLetter(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return false;
    char c = path[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Appends `rest` to `out` with "\" turned into "/" and runs of separators
// collapsed; a trailing separator is dropped unless it is the whole path.
void appendNormalized(std::string& out, std::string_view rest) {
    for (char c : rest) {
        if (isSeparator(c)) {
            if (out.empty() || out.back() != '/') out.push_back('/');
        } else {
            out.push_back(c);
        }
    }
    if (out.size() > 1 && out.back() == '/') out.pop_back();
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// A variable's value, empty when unset. getenv races only with a change of
// the environment, and the programs here set theirs, if at all, before they
// start a thread.
std::string_view environmentValue(const char* name) {
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): see above
    return value != nullptr ? value : "";
}

}  // namespace

std::string vtxRoot() {
    std::string_view root = environmentValue("VTX_ROOT");
    if (root.empty()) return kDefaultRoot;
    return std::string(root);
}

std::string windowsDirectory() {
    std::string_view dir = environmentValue("VTX_WINDIR");
    if (dir.empty()) return toNative(kDefaultWindowsDir);
    return toNative(dir);
}

std::string toNative(std::string_view path) {
    std::string out;
    if (hasDriveLetter(path)) {
        std::string root = vtxRoot();
        appendNormalized(out, root);
        if (out.empty() || out.back() != '/') out.push_back('/');
        out.push_back(toUpperAscii(path[0]));
        out.push_back('/');
        appendNormalized(out, path.substr(2));
        return out;
    }
    appendNormalized(out, path);
    return out;
}

std::string resolve(std::string_view path) {
    std::string native = toNative(path);
    // Hot path: the name is already spelled as on disk.
    if (native.empty() || exists(native)) return native;

    std::string out;
    size_t pos = 0;
    if (native[0] == '/') {
        out = "/";
        pos = 1;
    }
    bool matching = true;
    while (pos < native.size()) {
        size_t end = native.find('/', pos);
        if (end == std::string::npos) end = native.size();
        std::string_view component(native.data() + pos, end - pos);
        std::string dir = out.empty() ? "." : out;
        std::string name(component);
        if (matching && component != "." && component != "..") {
            std::string candidate = out + name;
            if (!exists(candidate)) {
                std::string found = detail::findEntryIgnoreCase(dir, component);
                if (found.empty()) {
                    matching = false;
                } else {
                    name = found;
                }
            }
        }
        out += name;
        if (end < native.size()) out.push_back('/');
        pos = end + 1;
    }
    return out;
}

std::string profilePath(std::string_view fileName) {
    return resolve(detail::profileNativePath(fileName));
}

std::string detail::profileNativePath(std::string_view fileName) {
    bool bare =
        !hasDriveLetter(fileName) && std::none_of(fileName.begin(), fileName.end(), isSeparator);
    if (bare) return joinPath(windowsDirectory(), fileName);
    return toNative(fileName);
}

std::string joinPath(std::string_view dir, std::string_view name) {
    while (!name.empty() && name.front() == '/') name.remove_prefix(1);
    if (dir.empty()) return std::string(name);
    while (dir.size() > 1 && dir.back() == '/') dir.remove_suffix(1);
    std::string out(dir);
    if (name.empty()) return out;
    if (out.back() != '/') out.push_back('/');
    out.append(name);
    return out;
}

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    // Greedy matching with a single backtrack point for the last "*": linear
    // in practice and bounded by |pattern| * |name|.
    size_t p = 0;
    size_t n = 0;
    size_t starP = std::string_view::npos;
    size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' ||
             (pattern[p] != '*' && toLowerAscii(pattern[p]) == toLowerAscii(name[n])))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<std::string> findFiles(std::string_view dir, std::string_view pattern) {
    std::vector<std::string> names;
    std::string native = resolve(dir);
    DIR* d = ::opendir(native.empty() ? "." : native.c_str());
    if (d == nullptr) return names;
    size_t seen = 0;
    // NOLINTNEXTLINE(concurrency-mt-unsafe): this scan owns its stream
    while (const dirent* e = ::readdir(d)) {
        if (++seen > detail::kMaxScanEntries) break;
        std::string_view entry(e->d_name);
        if (entry == "." || entry == ".." || !wildcardMatch(pattern, entry)) continue;
        bool regular = e->d_type == DT_REG;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat st {};
            regular = ::stat(joinPath(native, entry).c_str(), &st) == 0 && S_ISREG(st.st_mode);
        }
        if (regular) names.emplace_back(entry);
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> findFirstFile(std::string_view dir, std::string_view pattern) {
    std::vector<std::string> names = findFiles(dir, pattern);
    if (names.empty()) return std::nullopt;
    return joinPath(resolve(dir), names.front());
}

}  // namespace vtx::platform
