#include "vtx/linkagent/WaitingRoom.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iterator>

#include "vtx/platform/SocketError.h"

namespace vtx::linkagent {
namespace {

constexpr int kMostEvents = 64;

bool watch(int epoll, int socket) {
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = socket;
    return ::epoll_ctl(epoll, EPOLL_CTL_ADD, socket, &event) == 0;
}

}  // namespace

WaitingRoom::WaitingRoom(const RelayServices& services, const RelayOptions& options,
                         size_t capacity)
    : services_(services), options_(options), capacity_(std::max<size_t>(capacity, 1)) {}

WaitingRoom::~WaitingRoom() {
    closeAll();
    if (epoll_ >= 0) ::close(epoll_);
    if (wake_ >= 0) ::close(wake_);
}

bool WaitingRoom::open(int listening) {
    epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
    wake_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (epoll_ < 0 || wake_ < 0 || !watch(epoll_, wake_)) return false;
    listening_ = listening;
    listen(true);
    return listeningOn_;
}

void WaitingRoom::listen(bool on) {
    if (on == listeningOn_ || listening_ < 0) return;
    if (on) {
        listeningOn_ = watch(epoll_, listening_);
    } else {
        ::epoll_ctl(epoll_, EPOLL_CTL_DEL, listening_, nullptr);
        listeningOn_ = false;
    }
}

void WaitingRoom::recount() {
    count_.store(pending_.size() + whole_.size());
}

bool WaitingRoom::full() const {
    return pending_.empty() && whole_.size() >= capacity_;
}

void WaitingRoom::admit(int socket) {
    if (pending_.size() + whole_.size() >= capacity_ && !letOldestGo()) {
        ::close(socket);
        return;
    }
    services_.status.show(StatusField::Message, "Aguardando mensagens");
    pending_.emplace_back(socket, options_.framing, Clock::now() + options_.requestTimeout);
    if (!watch(epoll_, socket)) {
        ::close(socket);
        pending_.pop_back();
        return;
    }
    const auto it = std::prev(pending_.end());
    bySocket_.emplace(socket, it);
    readFrom(it);  // what came with the connection need not wait a turn
    recount();
}

void WaitingRoom::drop(Pending::iterator it) {
    const int socket = it->socket();
    ::epoll_ctl(epoll_, EPOLL_CTL_DEL, socket, nullptr);
    ::close(socket);
    bySocket_.erase(socket);
    pending_.erase(it);
}

void WaitingRoom::letGo(Pending::iterator it) {
    if (it->lengthRead()) services_.status.show(StatusField::Message, "Erro no socket!");
    drop(it);
}

bool WaitingRoom::letOldestGo() {
    if (pending_.empty()) return false;
    letGo(pending_.begin());
    recount();
    return true;
}

void WaitingRoom::readFrom(Pending::iterator it) {
    switch (it->read()) {
        case PendingRequest::Progress::kWaiting:
            return;
        case PendingRequest::Progress::kWhole:
            ::epoll_ctl(epoll_, EPOLL_CTL_DEL, it->socket(), nullptr);
            bySocket_.erase(it->socket());
            whole_.push_back(it->take());
            pending_.erase(it);
            return;
        case PendingRequest::Progress::kRefused:
            // Refused before reading: nothing of an impossible length is buffered.
            services_.logger.log("Mensagem recusada, tamanho [" + it->lengthShown() + "]");
            services_.status.show(StatusField::Message, "Mensagem recusada.");
            drop(it);
            return;
        case PendingRequest::Progress::kBroken:
            services_.status.show(StatusField::Message, "Erro no socket!");
            drop(it);
            return;
    }
}

WaitingRoom::Woken WaitingRoom::wait(std::chrono::milliseconds bound) {
    listen(!full());
    auto timeout = bound;
    if (!pending_.empty()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(pending_.front().deadline() -
                                                                       Clock::now());
        timeout = std::clamp(left, std::chrono::milliseconds(0), bound);
    }
    epoll_event events[kMostEvents];
    int n = ::epoll_wait(epoll_, events, kMostEvents, static_cast<int>(timeout.count()));
    Woken woken;
    if (n < 0 && errno != EINTR) {
        woken.error = vtx::platform::lastWinsockError();
        return woken;
    }
    woken.anything = n > 0;
    for (int i = 0; i < n; ++i) {
        const int socket = events[i].data.fd;
        if (socket == wake_) {
            std::uint64_t count;
            while (::read(wake_, &count, sizeof count) > 0) {
            }
        } else if (socket == listening_) {
            woken.listening = true;
        } else if (auto it = bySocket_.find(socket); it != bySocket_.end()) {
            readFrom(it->second);
        }
    }
    const auto now = Clock::now();
    while (!pending_.empty() && pending_.front().deadline() <= now) letGo(pending_.begin());
    recount();
    return woken;
}

std::optional<ArrivedRequest> WaitingRoom::nextWhole() {
    if (whole_.empty()) return std::nullopt;
    ArrivedRequest next = std::move(whole_.front());
    whole_.pop_front();
    recount();
    return next;
}

void WaitingRoom::wake() {
    const std::uint64_t one = 1;
    if (::write(wake_, &one, sizeof one) < 0) {
        // Full or closed: a wake is pending or the room is gone; either way
        // there is nothing more to do.
    }
}

void WaitingRoom::closeAll() {
    for (PendingRequest& pending : pending_) ::close(pending.socket());
    for (ArrivedRequest& arrived : whole_) ::close(arrived.socket);
    pending_.clear();
    bySocket_.clear();
    whole_.clear();
    recount();
}

}  // namespace vtx::linkagent
