// A file of records that are appended one at a time and must survive any
// kill or power cut: each record is one line closed by its own check value,
// written in one write and flushed to disk before append() returns.
//
// Line format: the record's bytes, "*", the CRC-32 of the record as eight
// upper-case hexadecimal digits, "\n". A record holds neither "\n" nor "\r".
// A line whose check value does not match, or a last line without its "\n"
// (a write torn by a kill or a power cut), is not a record: read() skips it
// and counts it, so a torn write is never taken for what it was meant to
// say. The next append() first cuts such a torn last line off, so what was
// refused stays out and the new record starts on a line of its own.
//
// Several processes may share one log: append() and rewrite() hold an
// exclusive flock() on the file while they write, and an appender that finds
// the file replaced under it by a rewrite opens the new one.
//
// Thread-safety: any thread; the lock serialises writers of all processes.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "vtx/platform/AtomicFile.h"

namespace vtx::platform {

struct RecordLogContent {
    std::vector<std::string> records;  // the whole records, in file order
    size_t damaged = 0;                // lines that were not whole records
    bool missing = false;              // the file does not exist (no records)
    int error = 0;                     // errno when the file could not be read
};

class RecordLog {
public:
    // `path` native. A new file gets `mode` (narrowed by the umask).
    explicit RecordLog(std::string path, mode_t mode = kPrivateFileMode);

    // Appends `record` and flushes it (and, when the file was created, its
    // folder) to disk. 0, or the errno of the step that failed; EINVAL for a
    // record holding a line end. On failure the record may or may not be in
    // the file, but never as a whole record that read() takes unless it was
    // written whole.
    int append(std::string_view record);

    // Every record of the file, in order.
    RecordLogContent read() const;

    // Replaces the whole file with what `keep` makes of its records (a
    // temporary, a flush and a rename). The records are read and the file
    // replaced under the lock, so no record appended meanwhile is lost and
    // no append goes into the old file. 0, or the errno of the step that
    // failed (the old file then stays).
    using Keep = std::function<std::vector<std::string>(const std::vector<std::string>&)>;
    int rewrite(const Keep& keep);

    const std::string& path() const { return path_; }

    // The line that holds `record` ("<record>*<crc>\n").
    static std::string line(std::string_view record);

private:
    std::string path_;
    mode_t mode_;
};

}  // namespace vtx::platform
