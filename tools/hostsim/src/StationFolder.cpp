#include "StationFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "FileCheckSum.h"
#include "vtx/platform/AsciiCase.h"

namespace vtx::hostsim {
namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

std::string StationFolder::fileName(const ReportFile& file) {
    return file.stem + ".S" + fileCheckValue(file.content);
}

bool StationFolder::write(const std::vector<ReportFile>& files, std::string& error) {
    bool ok = true;
    for (const ReportFile& file : files) {
        if (file.remove) {
            removeOthers(file.stem, "");
        } else if (!writeOne(file, error)) {
            ok = false;
        }
    }
    return ok;
}

bool StationFolder::writeOne(const ReportFile& file, std::string& error) const {
    const std::string name = fileName(file);
    const std::string path = folder_ + "/" + name;
    std::string temporary = folder_ + "/." + name + ".XXXXXX";
    int fd = mkstemp(temporary.data());  // created with mode 0600
    if (fd < 0) {
        error = "cannot create a file in " + folder_ + ": " + std::strerror(errno);
        return false;
    }
    // No fsync: the rename keeps a crash of the process from leaving half a
    // file, which is what a simulator needs; it rewrites the files often.
    const bool written = writeAll(fd, file.content);
    const int savedErrno = errno;
    ::close(fd);
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(written ? errno : savedErrno);
        ::unlink(temporary.c_str());
        return false;
    }
    removeOthers(file.stem, name);
    return true;
}

void StationFolder::removeOthers(const std::string& stem, const std::string& keep) const {
    DIR* dir = ::opendir(folder_.c_str());
    if (dir == nullptr) return;
    std::vector<std::string> stale;
    while (dirent* entry = ::readdir(dir)) {
        std::string_view name = entry->d_name;
        // The station finds "<stem>.S??" without regard to case.
        if (name.size() == stem.size() + 4 && name != keep &&
            platform::equalsIgnoreCase(name.substr(0, stem.size() + 2), stem + ".S"))
            stale.emplace_back(name);
    }
    ::closedir(dir);
    for (const std::string& name : stale) ::unlink((folder_ + "/" + name).c_str());
}

}  // namespace vtx::hostsim
