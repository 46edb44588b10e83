#include "TableAssembler.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent::logon {
namespace {

constexpr const char* kTempName = "_FILE$$$$$.TMP";

}  // namespace

TableAssembler::TableAssembler(const std::string& dir, const std::string& code)
    : tempPath_(platform::joinPath(dir, std::string(kTempName) + "." + code)) {}

TableAssembler::~TableAssembler() {
    abandon();
    // What stays is swept by the commit's recovery at the next start.
    for (const StagedTable& table : staged_) (void)std::remove(table.path.c_str());
}

std::vector<StagedTable> TableAssembler::takeStaged() {
    return std::exchange(staged_, {});
}

bool TableAssembler::stage() {
    StagedTable table{tempPath_ + "." + std::to_string(staged_.size() + 1), current_};
    if (std::rename(tempPath_.c_str(), table.path.c_str()) != 0) {
        problem_ = "Erro movendo arquivo [" + tempPath_ + "] para [" + table.path + "]";
        return false;
    }
    staged_.push_back(std::move(table));
    return true;
}

void TableAssembler::abandon() {
    if (file_ != nullptr) (void)std::fclose(file_);  // its content is given up
    file_ = nullptr;
}

bool TableAssembler::fail(const char* what) {
    abandon();
    problem_ = std::string(what) + " --> " + tempPath_;
    return false;
}

bool TableAssembler::openTemp() {
    // O_TRUNC below empties one that stays.
    (void)std::remove(tempPath_.c_str());
    // Tables hold manager passwords and card ranges: created private, not
    // as wide as the umask would let fopen() make them.
    const int fd = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
                          platform::kPrivateFileMode);
    if (fd >= 0) file_ = ::fdopen(fd, "wb");
    if (fd >= 0 && file_ == nullptr) ::close(fd);
    return file_ != nullptr || fail("Erro abrindo arquivo temporario");
}

bool TableAssembler::closeTemp() {
    std::FILE* file = file_;
    file_ = nullptr;
    if (file == nullptr) return true;
    const bool whole = std::ferror(file) == 0;
    return (std::fclose(file) == 0 && whole) || fail("Erro gravando arquivo temporario");
}

bool TableAssembler::take(const LogonAnswer& answer) {
    if (file_ == nullptr && !answer.fileName.empty()) {
        if (!openTemp()) return false;
        current_ = answer.fileName;
    } else if (answer.fileName != current_) {
        if (!closeTemp() || !stage()) return false;
        current_ = answer.fileName;
        if (!current_.empty() && !openTemp()) return false;
    }
    if (answer.fileName.empty()) return true;
    for (std::string_view record : completeRecords(answer.data)) {
        if (std::fwrite(record.data(), 1, record.size(), file_) != record.size() ||
            std::fwrite("\r\n", 1, 2, file_) != 2)
            return fail("Erro gravando arquivo temporario");
    }
    return true;
}

}  // namespace vtx::linkagent::logon
