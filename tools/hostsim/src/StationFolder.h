// A station's installation directory that the simulator keeps its report
// and batch files in (--station-dir). Each file is named with the check
// value of its content (FileCheckSum) and replaces the older file of the
// same report safely: the new content replaces the file of its name whole
// (vtx/platform/AtomicFile.h); only then are the files of the same report
// with another check value removed, so a reader finds the old
// file or the new one, never neither. Files are readable by their owner
// only, since they hold transaction data.
//
// Thread-safety: write() may be called from any thread; calls are
// serialised, so the files always show the last state written.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "ReportFiles.h"

namespace vtx::hostsim {

class StationFolder {
public:
    explicit StationFolder(std::string folder) : folder_(std::move(folder)) {}

    const std::string& folder() const { return folder_; }

    // The file name a report gets: stem + ".S" + its check value.
    static std::string fileName(const ReportFile& file);

    // Writes (or removes) each file. False when one could not be written;
    // `error` then names it and why. The others are still written.
    bool write(const std::vector<ReportFile>& files, std::string& error);

    // Runs `work` (which builds the files) and writes what it returns, both
    // under this folder's lock, so files built from a later state are never
    // overwritten by an earlier one.
    template <typename Build>
    bool update(Build&& build, std::string& error) {
        std::lock_guard lock(mutex_);
        return write(build(), error);
    }

private:
    bool writeOne(const ReportFile& file, std::string& error) const;
    // Removes the files of `stem` + ".S??" other than `keep`.
    void removeOthers(const std::string& stem, const std::string& keep) const;

    std::string folder_;
    std::mutex mutex_;
};

}  // namespace vtx::hostsim
