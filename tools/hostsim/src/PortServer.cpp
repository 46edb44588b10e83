#include "PortServer.h"

#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "ShiftCipher.h"

namespace vtx::hostsim {
namespace {

constexpr int kIdleWaitMs = 1000;        // a worker re-checks the stop flag this often
constexpr int kAcceptErrorPauseMs = 50;  // e.g. out of descriptors: let others finish

}  // namespace

PortServer::PortServer(PortConfig config, NsuCounter& nsu, RequestLog& log, const StopSignal& stop,
                       TransactionDesk* desk)
    : config_(std::move(config)),
      responder_(Responder::forPort(config_, nsu, desk, &log)),
      log_(log),
      stop_(stop) {}

PortServer::~PortServer() {
    join();
}

bool PortServer::open(std::string& error) {
    const bool listen = config_.fault != Fault::kRefuse;
    socket_ = ListenSocket::open(config_.bind, config_.port, listen, error);
    if (!socket_) {
        error = "section [" + config_.section + "]: " + error;
        return false;
    }
    codec_ = std::make_unique<FrameCodec>(config_, vtx::wire::shiftKeyForPort(port()));
    handler_ = std::make_unique<RequestHandler>(config_, *codec_, responder_, log_, stop_);
    if (!listen) log_.note(config_.section, "FAULT", "refuse: port bound, not listening");
    return true;
}

void PortServer::start() {
    if (!socket_ || config_.fault == Fault::kRefuse) return;
    workers_.reserve(static_cast<size_t>(config_.workers));
    for (int i = 0; i < config_.workers; ++i) workers_.emplace_back([this] { workerLoop(); });
}

void PortServer::join() {
    for (std::thread& t : workers_) {
        if (t.joinable()) t.join();
    }
    workers_.clear();
}

void PortServer::workerLoop() {
    // Each worker waits in its own epoll set; EPOLLEXCLUSIVE wakes one waiter
    // per incoming connection instead of the whole pool.
    int ep = epoll_create1(EPOLL_CLOEXEC);
    if (ep < 0) return;
    epoll_event listenEvent{};
    listenEvent.events = EPOLLIN | EPOLLEXCLUSIVE;
    listenEvent.data.fd = socket_->fd();
    epoll_event stopEvent{};
    stopEvent.events = EPOLLIN;
    stopEvent.data.fd = stop_.fd();
    if (epoll_ctl(ep, EPOLL_CTL_ADD, socket_->fd(), &listenEvent) != 0 ||
        epoll_ctl(ep, EPOLL_CTL_ADD, stop_.fd(), &stopEvent) != 0) {
        close(ep);
        return;
    }
    while (!stop_.requested()) {
        // Try first: under load a connection is usually already waiting.
        int fd = accept4(socket_->fd(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            handler_->serve(fd);
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ECONNABORTED) {
            epoll_event events[2];
            epoll_wait(ep, events, 2, kIdleWaitMs);
            continue;
        }
        stop_.sleepFor(kAcceptErrorPauseMs);
    }
    close(ep);
}

}  // namespace vtx::hostsim
