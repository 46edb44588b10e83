#include "FileKind.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vtx::crash {

namespace fs = std::filesystem;

std::vector<std::string> kindNames() {
    return {"password", "logon", "download", "answer", "export", "ini", "trace"};
}

std::unique_ptr<FileKind> makeKind(std::string_view name, const std::string& root) {
    if (name == "password") return makePasswordFileKind(root);
    if (name == "logon") return makeLogonTablesKind(root);
    if (name == "download") return makeDownloadedFileKind(root);
    if (name == "answer") return makeAnswerFileKind(root);
    if (name == "export") return makeExportFileKind(root);
    if (name == "ini") return makeIniKeysKind(root);
    if (name == "trace") return makeSocketTraceKind(root);
    return nullptr;
}

void FileKind::reset() {
    const std::vector<std::string> dirs = folders();
    const fs::path snapshot = fs::path(root_) / "snapshot" / name();
    std::error_code ec;
    for (size_t i = 0; i < dirs.size(); ++i) {
        detail::emptyFolder(dirs[i]);
        if (prepared_)
            fs::copy(snapshot / std::to_string(i), dirs[i], fs::copy_options::recursive, ec);
    }
    if (prepared_) return;
    prepare();
    for (size_t i = 0; i < dirs.size(); ++i) {
        detail::emptyFolder((snapshot / std::to_string(i)).string());
        fs::copy(dirs[i], snapshot / std::to_string(i), fs::copy_options::recursive, ec);
    }
    prepared_ = true;
}

OneFileKind::OneFileKind(std::string root, std::string dir, const std::string& file)
    : FileKind(std::move(root)), dir_(std::move(dir)), path_((fs::path(dir_) / file).string()) {}

Verdict OneFileKind::judge(long older, long newer, bool settled) const {
    Verdict v;
    const std::optional<std::string> found = detail::readWhole(path_);
    v.generation = detail::generationOf(found, older, newer, [this](long g) { return content(g); });
    if (v.generation < 0) v.problem = detail::describe(fs::path(path_).filename().string(), found);
    for (const auto& [name, bytes] : detail::filesOf(dir_)) {
        if (!detail::isHiddenWorkFile(name)) continue;
        v.leftover = true;
        if (settled && v.problem.empty()) v.problem = "left behind: " + name;
    }
    return v;
}

std::optional<long> OneFileKind::recover(long found) {
    write(found + 1);
    return found + 1;
}

namespace detail {

std::optional<std::string> readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::map<std::string, std::string> filesOf(const std::string& dir) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        files[entry.path().filename().string()] = readWhole(entry.path().string()).value_or("");
    }
    return files;
}

void emptyFolder(const std::string& dir) {
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir, ec);
}

bool isHiddenWorkFile(std::string_view name) {
    return !name.empty() && name.front() == '.';
}

std::string patterned(char seed, size_t count) {
    std::string s(count, '\0');
    for (size_t i = 0; i < count; ++i)
        s[i] = static_cast<char>('0' + (static_cast<size_t>(seed) + i) % 75);
    return s;
}

std::string describe(const std::string& what, const std::optional<std::string>& content) {
    if (!content) return what + " is missing";
    return what + " holds " + std::to_string(content->size()) +
           " bytes of no generation looked for";
}

long generationOf(const std::optional<std::string>& found, long older, long newer,
                  const std::function<std::string(long)>& content) {
    if (!found) return -1;
    for (long g = newer; g >= older; --g) {
        if (*found == content(g)) return g;
    }
    return -1;
}

}  // namespace detail
}  // namespace vtx::crash
