#include "vtx/linkagent/Listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <system_error>

#include "vtx/platform/SocketError.h"

namespace vtx::linkagent {

Listener::Listener(const RelayServices& services, ListenerOptions options, ListenerHooks hooks,
                   std::atomic<bool>& ending)
    : services_(services),
      options_(std::move(options)),
      hooks_(std::move(hooks)),
      ending_(ending),
      connection_(services_, options_.relay, ending_),
      pool_(options_.maxRelays) {}

Listener::~Listener() {
    ending_.store(true);
    join(std::chrono::hours(24));
}

void Listener::report(const char* format, int code) {
    char text[160];
    std::snprintf(text, sizeof text, format, code);
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
    const long stepMicros = static_cast<long>(options_.pollInterval.count()) * 1000;
    while (!ending_.load()) {
        pool_.reap();
        if (pool_.active() >= pool_.limit()) {
            // Every relay is busy: new connections wait in the queue.
            pool_.waitForSlot(options_.pollInterval);
            continue;
        }
        // Pending connections are taken without a wait; the wait comes when
        // there are none.
        const int accepted = socket_.Accept(nullptr);
        if (accepted != CSocket::kInvalidSocket) {
            if (!startRelay(accepted)) break;
            continue;
        }
        if (socket_.ObtemUltimoErro() != vtx::platform::kWsaEwouldblock) {
            services_.status.show(StatusField::Message, "Erro no socket!!");
            // The connection may still be pending (out of descriptors): give
            // the system a moment rather than spinning on it.
            std::this_thread::sleep_for(options_.pollInterval);
            continue;
        }
        if (socket_.WaitToReceive(stepMicros)) continue;
        if (socket_.ObtemUltimoErro() != vtx::platform::kWsaEtimedout) {
            report("[%d] - Erro aguardando mensagens", socket_.ObtemUltimoErro());
            break;
        }
        if (hooks_.idle) hooks_.idle();
    }
    socket_.Close();
}

bool Listener::startRelay(int accepted) {
    const int error = pool_.start([this, accepted] { connection_.serve(accepted); });
    if (error != 0) {
        ::close(accepted);
        report("[%d] - N\xe3o consegui criar processo para tratar a mensagem", error);
        return false;
    }
    return true;
}

}  // namespace vtx::linkagent
