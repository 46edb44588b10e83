// The connection manager's diagnostic log: one INI-form file
// "<installation directory>\LOG\SHELLFILEddmmyyyyhhmmssmmm.LOG" (the local
// time the file was started), section [CLIENTPROCEDURE], one entry per
// message:
//   key    the tick count in milliseconds as 12 digits
//   value  "ddmmyyyy|hhmmssmmm|000|<message>" (local time of the entry)
// Logging is enabled when CORE.INI [ShellFile] LOGENABLE is "true", "1" or
// "Y" (any case); nothing is written while the folder LOG does not exist.
// Card numbers and tracks in a message are masked (first 6 and last 4
// digits kept), and line breaks become blanks so a message stays one entry.
// The file is created readable and writable by its owner only (0600).
//
// Keys never repeat, whatever the threads: an entry whose tick is not past
// the previous key takes the previous key plus one. Entries are appended to
// the file in key order; a write failure is ignored.
//
// Thread-safety: log() and startNewFile() may be called from any thread.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "vtx/linkagent/AgentServices.h"

namespace vtx::linkagent {

class AgentLog final : public Logger {
public:
    using TickSource = std::function<uint32_t()>;

    // `installDir`: the installation directory (Windows-style or native),
    // holding CORE.INI and the folder LOG. `tick`: the millisecond clock of
    // the keys (the platform tick count by default). Starts the first file.
    explicit AgentLog(std::string installDir, TickSource tick = {});

    void log(const std::string& text) override;

    // Takes a new file name from the local time now and reads LOGENABLE
    // again (a shell-file request was picked up or its settings read).
    void startNewFile();

    bool enabled() const;
    // Native path of the current file (it exists once an entry is written).
    std::string fileName() const;

private:
    std::string nextKey();  // under mutex_

    const std::string installDir_;
    const TickSource tick_;
    mutable std::mutex mutex_;
    std::string fileName_;  // guarded by mutex_: "SHELLFILE....LOG"
    bool enabled_ = false;  // guarded by mutex_
    bool haveKey_ = false;  // guarded by mutex_
    uint32_t lastKey_ = 0;  // guarded by mutex_
};

}  // namespace vtx::linkagent
