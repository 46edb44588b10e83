// The table download of the connection manager, on its own thread: the
// route file VXIFCLI.BIN (archived on the server), the list file ATCARQ.BIN
// and every file it names (size and CRC checked, archived), then ATCARQ.BIN
// fetched again and archived; the local list file is deleted at the end.
// Started at start-up, by "LOGIN" and by a terminal's "LOGIN|"; at most one
// runs at a time. A replaced file keeps its previous version as NAME.OLD;
// a kill at any moment leaves the old file or the new one whole.
//
// Bounds: each FTP call within the session's time-outs (DownloadLimits);
// a dead server ends the run within two connection time-outs, a silent one
// within two server-answer time-outs.
//
// Thread-safety: every member may be called from any thread, except that
// wait() and the destructor must not be called from the download thread.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "vtx/linkagent/AgentServices.h"
#include "vtx/linkagent/download/FtpSettings.h"

namespace vtx::linkagent {

struct DownloadLimits {
    // With dial-up in use and down, the wait for a connection in steps of
    // this length, at most `dialUpSteps` of them.
    std::chrono::milliseconds dialUpStep{10000};
    int dialUpSteps = 60;
    // DELAY_INICIALIZACAO is cut to this.
    std::chrono::milliseconds maxDelay{60000};
    std::chrono::milliseconds connectTimeout{15000};
    std::chrono::milliseconds responseTimeout{30000};
    std::chrono::seconds lowSpeedTime{30};
};

class TableDownload {
public:
    // `installDir`: the installation directory as configured ("C:\Vantrix")
    // or native; `coreIni`: CORE.INI, read at each run.
    TableDownload(Logger& logger, ConnectionGuard& guard, StatusBoard& status,
                  std::string installDir, std::string coreIni, DownloadLimits limits = {});
    ~TableDownload();
    TableDownload(const TableDownload&) = delete;
    TableDownload& operator=(const TableDownload&) = delete;

    // Starts the thread; false when one runs ("FTP Iniciado duas vezes"
    // logged), once ending, or when no thread could be started.
    bool start();
    void wait();
    // True from the moment the download has its connection until it ends.
    bool running() const;
    // A running download stops (between files, or its transfer cut short:
    // "Aplicação encerrada durante o FTP."); no new one starts.
    void notifyEnding();

private:
    void run();
    void download();
    bool pause(std::chrono::milliseconds duration);

    Logger& logger_;
    ConnectionGuard& guard_;
    StatusBoard& status_;
    const std::string installDir_;
    const std::string coreIni_;
    const DownloadLimits limits_;
    std::atomic<bool> ending_{false};

    std::mutex startMutex_;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool active_ = false;
    bool running_ = false;
};

}  // namespace vtx::linkagent
