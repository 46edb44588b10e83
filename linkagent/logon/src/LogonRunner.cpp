#include "vtx/linkagent/logon/LogonRunner.h"

#include <system_error>
#include <vector>

#include "LogonCommit.h"
#include "LogonStore.h"
#include "OperatorList.h"
#include "OperatorLogon.h"
#include "vtx/platform/Paths.h"
#include "vx32_cli.h"

namespace vtx::linkagent {

LogonRunner::LogonRunner(Logger& logger, ConnectionGuard& guard, StatusBoard& status,
                         ServerExchange exchange, OperatorLister lister, std::string installDir,
                         LogonLimits limits)
    : logger_(logger),
      guard_(guard),
      status_(status),
      exchange_(std::move(exchange)),
      lister_(std::move(lister)),
      installDir_(std::move(installDir)),
      limits_(limits) {}

LogonRunner::~LogonRunner() {
    notifyEnding();
    std::lock_guard<std::mutex> start(startMutex_);
    if (thread_.joinable()) thread_.join();
}

bool LogonRunner::startLogon() {
    std::lock_guard<std::mutex> start(startMutex_);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (active_) {
            logger_.log("Trata login iniciada duas vezes.");
            return false;
        }
        if (ending_.raised()) return false;
        active_ = true;
    }
    // The previous logon has released the guard: its thread is ending.
    if (thread_.joinable()) thread_.join();
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> lock(mutex_);
        active_ = false;
        idle_.notify_all();
        return false;
    }
    return true;
}

void LogonRunner::wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return !active_; });
}

bool LogonRunner::waitFor(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return !active_; });
}

void LogonRunner::notifyEnding() {
    ending_.raise();
}

bool LogonRunner::running() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return running_;
}

void LogonRunner::run() {
    try {
        logOn();
    } catch (...) {
        // Nothing leaves the thread; the guard is released below.
    }
    std::lock_guard<std::mutex> lock(mutex_);
    active_ = false;
    running_ = false;
    idle_.notify_all();
}

void LogonRunner::recover() const {
    const std::string dir = platform::resolve(installDir_);
    const logon::LogonStore store(platform::joinPath(dir, "CORE.INI"));
    logon::LogonCommit(dir, store, logger_).recover();
}

bool LogonRunner::completeInterrupted() {
    std::lock_guard<std::mutex> start(startMutex_);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (active_) return false;
    }
    recover();
    return true;
}

void LogonRunner::logOn() {
    // What a stopped logon left is settled before anything is asked anew.
    recover();
    if (!guard_.ensureConnection()) {
        logger_.log("Nao existe conexao para realizar Login");
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        running_ = true;
    }
    std::vector<char> list(VX_LIST_SIZE, '\0');
    if (lister_) lister_(list.data());
    const std::string dir = platform::resolve(installDir_);
    logon::LogonStore store(platform::joinPath(dir, "CORE.INI"));
    logon::LogonContext context{logger_,
                                guard_,
                                status_,
                                exchange_,
                                ending_,
                                limits_,
                                dir,
                                store,
                                store.establishment(),
                                std::chrono::milliseconds(store.delayMs(limits_.maxDelay.count()))};
    for (const std::string& code : logon::parseOperatorList(list.data(), list.size())) {
        if (ending_.raised()) break;
        logon::OperatorLogon(context).run(code);
    }
    status_.show(StatusField::Logon, "");
    logger_.log("Finalizando Trata Login.");
}

}  // namespace vtx::linkagent
