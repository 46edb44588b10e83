// A station's installation directory that the simulator keeps its report
// and batch files in (--station-dir). Each file is named with the check
// value of its content (FileCheckSum) and replaces the older file of the
// same report safely: the new content goes to a temporary file in the
// folder (named as vtx/platform/AtomicFile.h names them), which is renamed
// to its name; only then are the files of the same report with another
// check value removed, so a reader finds the old
// file or the new one, never neither. Files are readable by their owner
// only, since they hold transaction data.
//
// The folder is read once, at the first write, for the names of the files
// already there (a station's files from an earlier run) and for temporaries
// an earlier run left (removed); from then on the
// names this object wrote are remembered, so replacing a file costs no
// listing of a folder that holds thousands. A report whose content is the
// one already in place is not written again.
//
// Thread-safety: update() may be called from any thread; calls are
// serialised, so the files always show the last state written. write()
// belongs to one thread at a time (update() holds the lock for it).
#pragma once

#include <map>
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
    bool writeOne(const ReportFile& file, std::string& error);
    // Removes the files of `stem` + ".S??" other than `keep` (empty: all).
    void removeOthers(const std::string& stem, const std::string& keep);
    // The names in the folder by upper-cased stem, read at the first call.
    std::vector<std::string>& namesOf(const std::string& stem);

    std::string folder_;
    std::mutex mutex_;
    bool listed_ = false;
    std::map<std::string, std::vector<std::string>> names_;  // upper-cased stem -> file names
    std::map<std::string, size_t> contentHash_;              // stem -> hash of what it holds
};

}  // namespace vtx::hostsim
