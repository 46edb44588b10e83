// The folder interface of the connection manager, for point-of-sale programs
// that cannot open sockets: a request file "<base>.<ext>" dropped into the
// input folder is answered with "<base>.001" in the output folder (see
// ShellRequest.h for both texts and ShellRequestRunner.h for the steps).
//
// One poll thread watches the input folder (FolderWatch: inotify, with a
// once-a-second look as a fallback) and takes the first whole request file
// in name order: renamed to "<base>.thr", handed to a request thread of its
// own. The next file is taken `Pause_Next_File` after the previous one
// (default 5 s). At most kMostRunning requests run at once; further files
// wait in the folder.
//
// start() first takes up what a previous run left: a "<base>.thr" never
// reached the host and is worked as a new request; a "<base>.sts" with its
// answer is removed; one without may have reached the host, so it is not
// sent again but answered 009-000 = 163.
//
// Thread-safety: start(), notifyEnding(), join() and the destructor from one
// thread (the program's); the services are called from the poll thread and
// the request threads.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "vtx/linkagent/AgentServices.h"
#include "vtx/linkagent/shellfile/ShellFileSettings.h"

namespace vtx::linkagent {

class ShellRequestRunner;
class FolderWatch;

class FolderInterface {
public:
    static constexpr size_t kMostRunning = 64;

    // `newLogFile`: starts a new log file (at each pick-up and each reading
    // of the settings). `installDir`: as configured; `coreIni`: its path.
    FolderInterface(Logger& logger, ConnectionGuard& guard, StatusBoard& status,
                    std::function<void()> newLogFile, std::string installDir, std::string coreIni);
    // Stops taking files and waits for the requests at work.
    ~FolderInterface();
    FolderInterface(const FolderInterface&) = delete;
    FolderInterface& operator=(const FolderInterface&) = delete;

    // Both folders, with every missing parent; false (why in `why`) when
    // one cannot be made.
    bool createFolders(std::string* why = nullptr);
    // Creates the folders, takes up what a previous run left, and starts
    // watching. False, with the reason logged, when the folders cannot be
    // made or no thread can be started.
    bool start();
    // No new file is taken; a pause between files is cut short.
    void notifyEnding();
    // Waits up to `bound` for the poll thread and every request thread;
    // true when all have ended.
    bool join(std::chrono::milliseconds bound);

private:
    void poll();
    void takeUpLeftovers();
    void take(const std::string& name);
    // Runs `base` on a request thread of its own; false when none starts.
    bool launch(const std::string& base);

    Logger& logger_;
    ConnectionGuard& guard_;
    StatusBoard& status_;
    std::function<void()> newLogFile_;
    const std::string installDir_;
    const std::string coreIni_;
    ShellFileSettings settings_;
    std::unique_ptr<ShellRequestRunner> runner_;
    std::unique_ptr<FolderWatch> watch_;

    std::atomic<bool> ending_{false};
    std::thread pollThread_;
    std::mutex mutex_;
    std::condition_variable idle_;
    size_t running_ = 0;        // guarded by mutex_: request threads at work
    bool pollRunning_ = false;  // guarded by mutex_
};

}  // namespace vtx::linkagent
