#include "StationFolder.h"

#include <unistd.h>

#include <cstring>

#include "FileCheckSum.h"
#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::hostsim {

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
    // Not durable: the rename keeps a crash of the process from leaving half
    // a file, which is what a simulator needs; it rewrites the files often.
    const int fault =
        platform::replaceFile(path, file.content, {platform::kPrivateFileMode, false});
    if (fault != 0) {
        error = "cannot write " + path + ": " + std::strerror(fault);
        return false;
    }
    removeOthers(file.stem, name);
    return true;
}

void StationFolder::removeOthers(const std::string& stem, const std::string& keep) const {
    // The station finds "<stem>.S??" without regard to case.
    for (const std::string& name : platform::findFiles(folder_, stem + ".S??")) {
        if (name != keep) ::unlink((folder_ + "/" + name).c_str());
    }
}

}  // namespace vtx::hostsim
