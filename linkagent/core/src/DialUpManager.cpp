#include "vtx/linkagent/DialUpManager.h"

#include <cstdio>
#include <thread>
#include <vector>

#include "vtx/linkagent/DialErrorText.h"
#include "vtx/platform/TickCount.h"

namespace vtx::linkagent {

namespace {

using platform::DialUpConnection;
using platform::DialUpState;
using platform::DialUpStatus;
using platform::kDialUpOk;

// Operator texts, in Windows-1252 (literals are split where a hex escape
// would run into the next letter).
constexpr const char* kDialling = "Discando";
constexpr const char* kConnected = "Conectado";
constexpr const char* kDisconnected = "Desconectado";
constexpr const char* kHangingUp = "Desconectando ...";
constexpr const char* kStartupTitle = "Erro de DialUp";
constexpr const char* kNoService =
    "O servi\xE7o do Windows DialUp n\xE3o foi encontrado no sistema";
constexpr const char* kEntriesError =
    "Erro ao pegar as configura\xE7\xF5"
    "es de DialUp";
constexpr const char* kNoEntries =
    "N\xE3o existem conex\xF5"
    "es DialUp configuradas no sistema.";
constexpr const char* kDetectTitle = "DialUp Erro";
constexpr const char* kDetectError = "Erro ao detectar conex\xE3o";
constexpr const char* kEntryTitle = "Sem conex\xE3o default";
constexpr const char* kNotConfigured =
    "O computador n\xE3o est\xE1 configurado para acesso a internet, por favor configure-o e "
    "tente novamente.";
constexpr const char* kPasswordTitle = "Erro na Conex\xE3o";

// Errors fetching the entry's saved dial parameters that mean the system
// itself failed.
constexpr int kInvalidBufferError = 610;

std::string entryErrorText(int error) {
    if (error == kInvalidBufferError || error == platform::kDialUpNoEntryStore) {
        char text[64];
        (void)std::snprintf(text, sizeof text, "Erro interno do sistema [%d]", error);  // fits
        return text;
    }
    if (error == platform::kDialUpEntryNotFound) return kNotConfigured;
    return {};
}

void pause(std::chrono::milliseconds d) {
    if (d.count() > 0) std::this_thread::sleep_for(d);
}

}  // namespace

DialUpManager::DialUpManager(DialUpSettings settings, std::unique_ptr<platform::DialUp> backend,
                             StatusBoard& board, DialUpHooks hooks, DialUpTiming timing)
    : settings_(std::move(settings)),
      backend_(std::move(backend)),
      board_(board),
      hooks_(std::move(hooks)),
      timing_(std::move(timing)),
      entry_(settings_.connection) {
    lastActivity_ = now();
}

std::optional<DialUpMessage> DialUpManager::checkStartup() {
    if (!settings_.inUse) return std::nullopt;
    if (!backend_ || backend_->serviceCheck() != kDialUpOk) {
        return DialUpMessage{kStartupTitle, kNoService};
    }
    std::string name = settings_.connection;
    if (name.empty()) {
        std::vector<std::string> names;
        int error = backend_->listEntries(names);
        // A list too small for all entries still holds the first one.
        if (error != kDialUpOk && error != platform::kDialUpListTooSmall) {
            return DialUpMessage{kStartupTitle, kEntriesError};
        }
        if (names.empty()) return DialUpMessage{kStartupTitle, kNoEntries};
        name = names.front();
    }
    std::lock_guard lock(entryMutex_);
    entry_ = name;
    return std::nullopt;
}

bool DialUpManager::ensureConnection() {
    if (!settings_.inUse) return true;
    touch();
    if (connected_) return true;
    if (!backend_) return false;
    bool ok = dialOnce();
    for (int i = 0; !ok && i < settings_.redial && !ending_; ++i) ok = dialOnce();
    return ok;
}

void DialUpManager::touch() {
    lastActivity_ = now();
}

bool DialUpManager::dialUpDown() const {
    return settings_.inUse && !connected_;
}

std::string DialUpManager::entry() const {
    std::lock_guard lock(entryMutex_);
    return entry_;
}

void DialUpManager::setEnding() {
    ending_ = true;
}

bool DialUpManager::dialOnce() {
    Outcome outcome;
    {
        std::lock_guard lock(dialMutex_);
        outcome = dialLocked();
    }
    // Message boxes and closing run without the mutex: they may block on the
    // operator, or come back here to hang up.
    if (outcome.fatal) ending_ = true;
    if (outcome.box && hooks_.messageBox) hooks_.messageBox(outcome.box->title, outcome.box->text);
    if (outcome.fatal && hooks_.closeProgram) hooks_.closeProgram();
    return outcome.connected;
}

DialUpManager::Outcome DialUpManager::dialLocked() {
    if (connected_) return Outcome{true, false, std::nullopt};

    std::vector<DialUpConnection> up;
    if (backend_->listConnections(up) != kDialUpOk) {
        return Outcome{false, true, DialUpMessage{kDetectTitle, kDetectError}};
    }
    if (!up.empty()) {
        current_ = up.front();
        show(StatusField::DialUpDetail, "");
        connected_ = true;
        return Outcome{true, false, std::nullopt};
    }

    std::string name = entry();
    if (int error = backend_->checkEntry(name); error != kDialUpOk) {
        return Outcome{false, true, DialUpMessage{kEntryTitle, entryErrorText(error)}};
    }
    return dialAndQuery(name);
}

DialUpManager::Outcome DialUpManager::dialAndQuery(const std::string& name) {
    dialling_ = true;
    show(StatusField::Connection, kDialling);
    DialUpConnection dialled;
    int error = backend_->dial(name, dialled);
    dialling_ = false;

    if (error != kDialUpOk) {
        if (!dialled.handle.empty()) {
            backend_->hangUp(dialled);
            pause(timing_.hangUpWait);
        }
        std::string text = dialErrorText(error);
        show(StatusField::DialUpDetail, text);
        connected_ = false;
        show(StatusField::Connection, kDisconnected);
        Outcome outcome;
        if (isPasswordError(error)) outcome.box = DialUpMessage{kPasswordTitle, text};
        return outcome;
    }

    pause(timing_.statusDelay);
    DialUpStatus status;
    int statusError = backend_->status(dialled, status);
    if (statusError != kDialUpOk || status.state != DialUpState::Connected) {
        if (statusError == kDialUpOk) show(StatusField::DialUpDetail, dialErrorText(status.error));
        show(StatusField::Connection, kDisconnected);
        // A line that is not up is no connection: left alone, the next
        // attempt would find it among the connections and take it as up.
        backend_->hangUp(dialled);
        pause(timing_.hangUpWait);
        return Outcome{};
    }
    current_ = dialled;
    // The idle time counts from the moment the line is up: a long dial
    // must not make the new connection look idle already.
    touch();
    connected_ = true;
    show(StatusField::Connection, kConnected);
    show(StatusField::DialUpDetail, "");
    return Outcome{true, false, std::nullopt};
}

void DialUpManager::refreshStatus() {
    if (!settings_.inUse || !backend_) return;
    std::unique_lock lock(dialMutex_, std::try_to_lock);
    if (!lock.owns_lock()) {
        // A dial or a hang-up is under way; it reports its own outcome.
        if (dialling_) show(StatusField::Connection, kDialling);
        return;
    }
    uint32_t t = now();
    if (refreshed_ && t - lastRefresh_ < static_cast<uint64_t>(timing_.refreshInterval.count())) {
        return;
    }
    refreshed_ = true;
    lastRefresh_ = t;

    std::vector<DialUpConnection> up;
    if (backend_->listConnections(up) != kDialUpOk) return;
    if (up.empty()) {
        connected_ = false;
        current_ = {};
        show(StatusField::Connection, kDisconnected);
        return;
    }
    // A connection seen for the first time (made outside the program) is
    // idle from now on, not since the last request.
    if (!connected_) touch();
    current_ = up.front();
    connected_ = true;
    show(StatusField::Connection, kConnected);
}

bool DialUpManager::hangUpIfIdle() {
    if (!settings_.inUse || !backend_ || settings_.time2HangUp <= 0) return false;
    if (!connected_ || !idle()) return false;
    std::lock_guard lock(dialMutex_);
    // A request may have come in while waiting for the mutex.
    if (!connected_ || !idle()) return false;
    hangUpLocked();
    return true;
}

void DialUpManager::hangUp() {
    if (!settings_.inUse || !backend_) return;
    std::lock_guard lock(dialMutex_);
    if (connected_) hangUpLocked();
}

void DialUpManager::hangUpLocked() {
    show(StatusField::DialUpDetail, kHangingUp);
    DialUpConnection target = current_;
    if (target.handle.empty() && target.entry.empty()) {
        std::vector<DialUpConnection> up;
        if (backend_->listConnections(up) == kDialUpOk && !up.empty()) target = up.front();
    }
    if (!target.handle.empty() || !target.entry.empty()) backend_->hangUp(target);
    pause(timing_.hangUpWait);
    show(StatusField::DialUpDetail, "");
    current_ = {};
    connected_ = false;
    show(StatusField::Connection, kDisconnected);
}

void DialUpManager::beginExchange() {
    ++exchanges_;
    touch();
}

void DialUpManager::endExchange() {
    touch();
    --exchanges_;
}

bool DialUpManager::idle() const {
    if (exchanges_.load() > 0) return false;
    uint32_t elapsedMs = now() - lastActivity_;
    return static_cast<long>(elapsedMs / 1000) >= settings_.time2HangUp;
}

uint32_t DialUpManager::now() const {
    return timing_.tick ? timing_.tick() : platform::tickCount();
}

void DialUpManager::show(StatusField field, const std::string& text) {
    std::lock_guard lock(boardMutex_);
    auto it = shown_.find(field);
    if (it != shown_.end() && it->second == text) return;
    shown_[field] = text;
    board_.show(field, text);
}

}  // namespace vtx::linkagent
