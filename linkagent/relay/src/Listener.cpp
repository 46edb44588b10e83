#include "vtx/linkagent/Listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "vtx/platform/SocketError.h"

namespace vtx::linkagent {
namespace {

// Descriptors kept beside the relays' for the program's own files and sockets.
constexpr size_t kReservedDescriptors = 64;
constexpr size_t kFewestWaiting = 16;
constexpr size_t kMostWaiting = 16384;
// Connections taken from the queue in one turn, so the waiting ones are
// read between.
constexpr int kAcceptsPerTurn = 64;

}  // namespace

size_t Listener::waitingCapacity(const ListenerOptions& options) {
    if (options.maxWaiting > 0) return options.maxWaiting;
    size_t limit = kMostWaiting;
    rlimit descriptors{};
    if (::getrlimit(RLIMIT_NOFILE, &descriptors) == 0 && descriptors.rlim_cur != RLIM_INFINITY)
        limit = static_cast<size_t>(descriptors.rlim_cur);
    // A relay holds its terminal's connection and one to the host.
    const size_t reserve = 2 * options.maxRelays + kReservedDescriptors;
    return std::clamp(limit > reserve ? limit - reserve : 0, kFewestWaiting, kMostWaiting);
}

Listener::Listener(const RelayServices& services, ListenerOptions options, ListenerHooks hooks,
                   std::atomic<bool>& ending)
    : services_(services),
      options_(std::move(options)),
      hooks_(std::move(hooks)),
      ending_(ending),
      connection_(services_, options_.relay),
      room_(services_, options_.relay, waitingCapacity(options_)),
      pool_(options_.maxRelays, [this] { room_.wake(); }) {}

Listener::~Listener() {
    ending_.store(true);
    join(std::chrono::hours(24));
}

void Listener::report(const char* format, int code) {
    char text[160];
    (void)std::snprintf(text, sizeof text, format, code);  // the formats below fit
    if (hooks_.fatal) hooks_.fatal(text);
}

bool Listener::open() {
    if (!socket_.Create(options_.port, SOCK_STREAM, options_.address)) {
        report("[%d] - Erro criando Socket Principal", socket_.ObtemUltimoErro());
        return false;
    }
    int nonBlocking = 1;
    if (!socket_.Listen(options_.backlog) || !socket_.IOCtl(FIONBIO, &nonBlocking)) {
        report("[%d] - Erro colocando Socket em modo Listen", socket_.ObtemUltimoErro());
        socket_.Close();
        return false;
    }
    if (!room_.open(socket_.ObtemNumeroSocket())) {
        report("[%d] - Erro colocando Socket em modo Listen", vtx::platform::lastWinsockError());
        socket_.Close();
        return false;
    }
    sockaddr_in name{};
    socklen_t length = sizeof name;
    if (::getsockname(socket_.ObtemNumeroSocket(), reinterpret_cast<sockaddr*>(&name), &length) ==
        0)
        port_.store(ntohs(name.sin_port));
    return true;
}

bool Listener::start() {
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error& e) {
        report("[%d] - N\xe3o consegui criar processo para tratar a mensagem", e.code().value());
        socket_.Close();
        return false;
    }
    return true;
}

bool Listener::join(std::chrono::milliseconds relayBound) {
    if (thread_.joinable()) thread_.join();
    return pool_.finish(relayBound);
}

void Listener::run() {
    while (!ending_.load()) {
        pool_.reap();
        if (!dispatch()) break;
        const WaitingRoom::Woken woken = room_.wait(options_.pollInterval);
        if (woken.error != 0) {
            report("[%d] - Erro aguardando mensagens", woken.error);
            break;
        }
        if (woken.listening) acceptPending();
        if (!woken.anything && hooks_.idle) hooks_.idle();
    }
    room_.closeAll();
    socket_.Close();
}

void Listener::acceptPending() {
    for (int taken = 0; taken < kAcceptsPerTurn && !room_.full(); ++taken) {
        const int accepted = socket_.Accept(nullptr);
        if (accepted != CSocket::kInvalidSocket) {
            room_.admit(accepted);
            continue;
        }
        const int error = socket_.ObtemUltimoErro();
        if (error == vtx::platform::kWsaEwouldblock) return;
        // Out of descriptors: the connection that has waited longest for its
        // request makes room.
        if (error == vtx::platform::kWsaEmfile && room_.letOldestGo()) continue;
        services_.status.show(StatusField::Message, "Erro no socket!!");
        // The connection may still be pending: give the system a moment
        // rather than spinning on it.
        std::this_thread::sleep_for(options_.pollInterval);
        return;
    }
}

bool Listener::dispatch() {
    while (pool_.active() < pool_.limit()) {
        std::optional<ArrivedRequest> next = room_.nextWhole();
        if (!next) return true;
        if (!startRelay(std::move(*next))) return false;
    }
    return true;
}

bool Listener::startRelay(ArrivedRequest arrived) {
    const int socket = arrived.socket;
    const int error =
        pool_.start([this, arrived = std::move(arrived)] { connection_.serve(arrived); });
    if (error != 0) {
        ::close(socket);
        report("[%d] - N\xe3o consegui criar processo para tratar a mensagem", error);
        return false;
    }
    return true;
}

}  // namespace vtx::linkagent
