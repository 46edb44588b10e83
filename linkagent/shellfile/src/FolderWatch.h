// Which request files of the input folder are whole and may be taken.
//
// inotify tells at once when a file was closed after writing
// (IN_CLOSE_WRITE) or moved in (IN_MOVED_TO): such a file is ready. A file
// seen being written (IN_CREATE, IN_MODIFY) is not taken until it is closed,
// or until its size and modification time have stayed the same for 30 s (a
// writer that died with the file open). A file the folder holds without any
// event for it (there at start-up, written while the event queue
// overflowed, or on a file system that gives no events) is taken once its
// size and modification time have stayed the same for 1 s.
//
// Thread-safety: one thread (the folder interface's poll thread) uses it.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>

namespace vtx::linkagent {

class FolderWatch {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kQuietUnseen{1000};
    static constexpr std::chrono::milliseconds kQuietWriting{30000};

    // `folder` (native); `pattern`: the request files ("*.001").
    FolderWatch(std::string folder, std::string pattern);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Watches the folder; false when inotify is not available (the 1-s rule
    // then serves every file).
    bool open();
    // Waits up to `bound` for an event of the folder (or for wake()).
    void waitForEvent(std::chrono::milliseconds bound);
    // Wakes waitForEvent() from another thread.
    void wake();

    // The first file (name order) that is whole now, or nothing. `waiting`
    // is set when files are there but not yet whole (look again soon).
    std::optional<std::string> firstReady(bool& waiting);
    // The file was taken (renamed away): forget what was known of it.
    void taken(const std::string& name);

private:
    enum class Seen { Nothing, Writing, Whole };
    struct FileState {
        Seen seen = Seen::Nothing;
        long long size = -1;
        long long mtimeNs = -1;
        Clock::time_point unchangedSince{};
    };
    void drainEvents();

    const std::string folder_;
    const std::string pattern_;
    int inotify_ = -1;
    int wakeFd_ = -1;
    std::map<std::string, FileState> files_;
};

}  // namespace vtx::linkagent
