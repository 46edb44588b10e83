#include "StationFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "FileCheckSum.h"
#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::hostsim {
namespace {

std::string upper(std::string text) {
    for (char& c : text) c = platform::toUpperAscii(c);
    return text;
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
            contentHash_.erase(file.stem);
        } else if (!writeOne(file, error)) {
            ok = false;
        }
    }
    return ok;
}

bool StationFolder::writeOne(const ReportFile& file, std::string& error) {
    const std::string name = fileName(file);
    const std::string path = folder_ + "/" + name;
    const size_t hash = std::hash<std::string>{}(file.content);
    auto same = contentHash_.find(file.stem);
    if (same != contentHash_.end() && same->second == hash && ::access(path.c_str(), F_OK) == 0)
        return true;
    // The platform's temporary name and write loop, then a rename: the new
    // content is whole before it takes the name. Not flushed to disk (a crash
    // of the process cannot leave half a file, which is what a simulator
    // needs), and no scan for stale temporaries on every write: the folder
    // may hold thousands of files, so that is done once, at the first write.
    const std::string temporary = platform::temporaryPathFor(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          platform::kPrivateFileMode);
    int fault = fd < 0 ? errno : platform::writeAll(fd, file.content);
    if (fd >= 0 && ::close(fd) != 0 && fault == 0) fault = errno;
    if (fault == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) fault = errno;
    if (fault != 0) {
        if (fd >= 0) ::unlink(temporary.c_str());
        error = "cannot write " + path + ": " + std::strerror(fault);
        return false;
    }
    removeOthers(file.stem, name);
    contentHash_[file.stem] = hash;
    return true;
}

void StationFolder::removeOthers(const std::string& stem, const std::string& keep) {
    std::vector<std::string>& names = namesOf(stem);
    for (const std::string& name : names) {
        if (name != keep) ::unlink((folder_ + "/" + name).c_str());
    }
    names.clear();
    if (!keep.empty()) names.push_back(keep);
}

std::vector<std::string>& StationFolder::namesOf(const std::string& stem) {
    if (!listed_) {
        platform::removeStaleTemporaries(folder_, "*");
        // The station finds "<stem>.S??" without regard to case.
        for (const std::string& name : platform::findFiles(folder_, "*.S??"))
            names_[upper(name.substr(0, name.size() - 4))].push_back(name);
        listed_ = true;
    }
    return names_[upper(stem)];
}

}  // namespace vtx::hostsim
