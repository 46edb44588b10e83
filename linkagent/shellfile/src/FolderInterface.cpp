#include "vtx/linkagent/shellfile/FolderInterface.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "FolderWatch.h"
#include "ShellRequestRunner.h"
#include "vtx/platform/ErrorText.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using vtx::platform::joinPath;

// The fallback look at the folder when no event comes.
constexpr auto kLookEvery = 1000ms;
// How soon a folder holding files that are not yet whole is looked at again.
constexpr auto kLookSoon = 100ms;
// The working extensions: the last four characters of a name are replaced.
constexpr size_t kExtensionLength = 4;

std::string baseOf(const std::string& name) {
    return name.size() > kExtensionLength ? name.substr(0, name.size() - kExtensionLength) : name;
}

bool exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

}  // namespace

FolderInterface::FolderInterface(Logger& logger, ConnectionGuard& guard, StatusBoard& status,
                                 std::function<void()> newLogFile, std::string installDir,
                                 std::string coreIni)
    : logger_(logger),
      guard_(guard),
      status_(status),
      newLogFile_(std::move(newLogFile)),
      installDir_(std::move(installDir)),
      coreIni_(std::move(coreIni)),
      settings_(readShellFileSettings(coreIni_)),
      runner_(std::make_unique<ShellRequestRunner>(logger, guard, status, newLogFile_, installDir_,
                                                   coreIni_)) {}

FolderInterface::~FolderInterface() {
    notifyEnding();
    if (pollThread_.joinable()) pollThread_.join();
    // Request threads use the runner: wait for every one (each exchange is
    // bounded by the library's own time-outs).
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return running_ == 0; });
}

bool FolderInterface::createFolders(std::string* why) {
    const ShellFolders where = runner_->folders(settings_);
    for (const std::string& folder : {where.input, where.output}) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (ec || !std::filesystem::is_directory(folder)) {
            if (why) *why = folder + ": " + (ec ? ec.message() : "not a folder");
            return false;
        }
    }
    return true;
}

bool FolderInterface::start() {
    std::string why;
    if (!createFolders(&why)) {
        logger_.log("Erro criando pastas da interface de arquivos: " + why);
        return false;
    }
    const ShellFolders where = runner_->folders(settings_);
    watch_ = std::make_unique<FolderWatch>(where.input, "*." + settings_.extension);
    if (!watch_->open())
        logger_.logf("Pasta %s sem aviso de arquivos novos: olhada a cada segundo",
                     where.input.c_str());
    takeUpLeftovers();
    try {
        std::lock_guard lock(mutex_);
        pollThread_ = std::thread([this] { poll(); });
        pollRunning_ = true;
    } catch (const std::system_error& e) {
        logger_.logf("N\xe3o consegui criar processo para a interface de arquivos: %s", e.what());
        return false;
    }
    return true;
}

void FolderInterface::takeUpLeftovers() {
    const ShellFolders where = runner_->folders(settings_);
    for (const std::string& name : vtx::platform::findFiles(where.output, "*.sts")) {
        const std::string base = baseOf(name);
        if (exists(joinPath(where.output, base + ".001"))) {
            // Answered before the stop: only the mark of the work was left.
            ::unlink(joinPath(where.output, name).c_str());
        } else {
            runner_->answerInterrupted(base, where);
        }
    }
    for (const std::string& name : vtx::platform::findFiles(where.output, "*.tmp")) {
        if (!exists(joinPath(where.output, baseOf(name) + ".sts")))
            ::unlink(joinPath(where.output, name).c_str());
    }
    for (const std::string& name : vtx::platform::findFiles(where.input, "*.thr")) {
        logger_.logf("Arquivo %s retomado", name.c_str());
        if (!launch(baseOf(name))) break;
    }
}

void FolderInterface::notifyEnding() {
    ending_.store(true);
    if (watch_) watch_->wake();
}

bool FolderInterface::join(std::chrono::milliseconds bound) {
    const auto deadline = Clock::now() + bound;
    std::unique_lock lock(mutex_);
    const bool ended = idle_.wait_until(lock, deadline,
                                        [this] { return running_ == 0 && !pollRunning_; });
    lock.unlock();
    if (ended && pollThread_.joinable()) pollThread_.join();
    return ended;
}

void FolderInterface::poll() {
    Clock::time_point nextTake = Clock::now();
    while (!ending_.load()) {
        const Clock::time_point now = Clock::now();
        bool waiting = false;
        bool busy = false;
        if (now >= nextTake) {
            {
                std::lock_guard lock(mutex_);
                busy = running_ >= kMostRunning;
            }
            if (!busy) {
                if (std::optional<std::string> name = watch_->firstReady(waiting)) {
                    take(*name);
                    nextTake = Clock::now() + settings_.pause;
                    continue;
                }
            }
        }
        auto bound = std::chrono::duration_cast<std::chrono::milliseconds>(
            waiting || busy ? kLookSoon : kLookEvery);
        if (nextTake > now)
            bound = std::min(bound, std::chrono::duration_cast<std::chrono::milliseconds>(
                                        nextTake - now) + 1ms);
        watch_->waitForEvent(bound);
    }
    std::lock_guard lock(mutex_);
    pollRunning_ = false;
    idle_.notify_all();
}

void FolderInterface::take(const std::string& name) {
    const ShellFolders where = runner_->folders(settings_);
    status_.show(StatusField::Message, "Arquivo encontrado.");
    guard_.ensureConnection();
    status_.show(StatusField::Message, "Processando Arquivo.");
    if (newLogFile_) newLogFile_();
    logger_.logf("Arquivo %s", name.c_str());
    watch_->taken(name);
    const std::string base = baseOf(name);
    const std::string from = joinPath(where.input, name);
    const std::string thr = joinPath(where.input, base + ".thr");
    if (::rename(from.c_str(), thr.c_str()) != 0) {
        logger_.logf("Erro renomeando Arquivo %s: %s", name.c_str(),
                     vtx::platform::errorText(errno).c_str());
        return;
    }
    if (!launch(base)) {
        // Back under its own name: taken again once a thread can start (left
        // as .thr, it is taken up at the next start).
        (void)::rename(thr.c_str(), from.c_str());
    }
}

bool FolderInterface::launch(const std::string& base) {
    std::lock_guard lock(mutex_);
    try {
        std::thread([this, base] {
            runner_->run(base);
            std::lock_guard done(mutex_);
            --running_;
            idle_.notify_all();
        }).detach();
    } catch (const std::system_error& e) {
        logger_.logf("N\xe3o consegui criar processo para tratar o arquivo %s: %s", base.c_str(),
                     e.what());
        return false;
    }
    ++running_;
    return true;
}

}  // namespace vtx::linkagent
