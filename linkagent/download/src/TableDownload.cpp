#include "vtx/linkagent/download/TableDownload.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "RemoteFetch.h"
#include "TableList.h"
#include "vtx/platform/FtpSession.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent {
namespace {

constexpr const char* kRouteFile = "VXIFCLI.BIN";
constexpr const char* kListFile = "ATCARQ.BIN";
constexpr const char* kEndingText = "Aplica\xe7\xe3o encerrada durante o FTP.";

}  // namespace

using download::RemoteFetch;

TableDownload::TableDownload(Logger& logger, ConnectionGuard& guard, StatusBoard& status,
                             std::string installDir, std::string coreIni, DownloadLimits limits)
    : logger_(logger),
      guard_(guard),
      status_(status),
      installDir_(std::move(installDir)),
      coreIni_(std::move(coreIni)),
      limits_(limits) {}

TableDownload::~TableDownload() {
    notifyEnding();
    std::lock_guard<std::mutex> start(startMutex_);
    if (thread_.joinable()) thread_.join();
}

bool TableDownload::start() {
    std::lock_guard<std::mutex> start(startMutex_);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (active_) {
            logger_.log("FTP Iniciado duas vezes");
            return false;
        }
        if (ending_.load()) return false;
        active_ = true;
    }
    if (thread_.joinable()) thread_.join();
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> lock(mutex_);
        active_ = false;
        changed_.notify_all();
        return false;
    }
    return true;
}

void TableDownload::wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !active_; });
}

bool TableDownload::running() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return running_;
}

void TableDownload::notifyEnding() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ending_.store(true);
    }
    changed_.notify_all();
}

bool TableDownload::pause(std::chrono::milliseconds duration) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (duration.count() > 0) changed_.wait_for(lock, duration, [this] { return ending_.load(); });
    return ending_.load();
}

void TableDownload::run() {
    try {
        download();
    } catch (...) {
        // Nothing leaves the thread (std::bad_alloc, a failed file call).
        logger_.logf("Exception ultimo erro [%d]", errno);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    active_ = false;
    running_ = false;
    changed_.notify_all();
}

void TableDownload::download() {
    if (!guard_.ensureConnection()) {
        logger_.log("Nao existe conexao para realizar FTP");
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        running_ = true;
    }
    for (int step = 0; step < limits_.dialUpSteps && guard_.dialUpDown(); ++step) {
        if (pause(limits_.dialUpStep)) break;
    }
    status_.show(StatusField::Ftp, "Iniciando Transf. de Arquivos");
    logger_.log("Iniciando FTP");

    const FtpSettings settings = readFtpSettings(coreIni_);
    platform::FtpConnectSettings connect;
    connect.host = settings.server;
    connect.port = settings.port;
    connect.user = settings.user;
    connect.password = settings.password;
    connect.passive = settings.passive;
    connect.connectTimeout = limits_.connectTimeout;
    connect.responseTimeout = limits_.responseTimeout;
    connect.lowSpeedTime = limits_.lowSpeedTime;
    connect.cancelled = &ending_;
    const auto delay = std::min(std::chrono::milliseconds(settings.delayMs), limits_.maxDelay);

    const std::string nativeDir = platform::resolve(installDir_);
    const download::FetchContext context{logger_, status_, installDir_, nativeDir, ending_};
    const std::string listPath = platform::joinPath(nativeDir, kListFile);
    auto fetch = [&](const download::TableEntry& entry, bool archive) {
        platform::FtpSession session(connect);
        ExchangeScope inUse(guard_);
        const RemoteFetch::Result result = RemoteFetch(context, session).fetch(entry, archive);
        if (result == RemoteFetch::Result::FtpError && !session.error().empty())
            logger_.log("FTP Exception [" + session.error() + "]");
        return result;
    };
    auto ended = [&] {
        logger_.log(kEndingText);
        status_.show(StatusField::Ftp, "");
    };

    RemoteFetch::Result r = fetch({kRouteFile, 0, "", ""}, true);
    if (r == RemoteFetch::Result::Ending) return ended();
    if (r != RemoteFetch::Result::FtpError) {
        r = fetch({kListFile, 0, "", ""}, false);
        if (r == RemoteFetch::Result::Ending) return ended();
        if (r == RemoteFetch::Result::Fetched) {
            for (const download::ListedEntry& listed : download::readTableList(
                     platform::resolve(listPath))) {
                if (!listed.entry) {
                    logger_.log("Entrada [" + listed.key + "] de ATCARQ.BIN recusada: " +
                                listed.problem);
                } else {
                    r = fetch(*listed.entry, true);
                    if (r == RemoteFetch::Result::FtpError) break;
                }
                if (ending_.load() || r == RemoteFetch::Result::Ending) return ended();
                if (pause(delay)) return ended();
            }
        }
    }
    ::unlink(platform::resolve(listPath).c_str());
    r = fetch({kListFile, 0, "", ""}, true);
    ::unlink(platform::resolve(listPath).c_str());
    if (r == RemoteFetch::Result::Ending) return ended();
    status_.show(StatusField::Ftp, "");
    logger_.log("FTP Encerrado");
}

}  // namespace vtx::linkagent
