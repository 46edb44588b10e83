#include "TestClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace vtx::hostsim::test {
namespace {

using Clock = std::chrono::steady_clock;

int connectTo(const char* address, int port, int& error) {
    sockaddr_storage storage{};
    socklen_t length = 0;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
    if (inet_pton(AF_INET, address, &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(static_cast<uint16_t>(port));
        length = sizeof *v4;
    } else if (inet_pton(AF_INET6, address, &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(static_cast<uint16_t>(port));
        length = sizeof *v6;
    } else {
        error = EINVAL;
        return -1;
    }
    int fd = socket(storage.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&storage), length) != 0) {
        error = errno;
        if (fd >= 0) close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

Exchange roundTrip(int port, std::string_view request, const RoundTripOptions& options) {
    Exchange result;
    int fd = connectTo(options.address, port, result.connectError);
    if (fd < 0) return result;
    size_t sent = 0;
    while (sent < request.size()) {
        ssize_t n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<size_t>(n);
    }
    if (options.halfClose) shutdown(fd, SHUT_WR);
    const auto deadline = Clock::now() + options.timeout;
    while (Clock::now() < deadline) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count()) + 1) <= 0) continue;
        char chunk[4096];
        ssize_t n = recv(fd, chunk, sizeof chunk, 0);
        if (n > 0) {
            result.received.append(chunk, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        result.closedByHost = true;
        break;
    }
    close(fd);
    return result;
}

HeldConnection::HeldConnection(int port, std::string_view bytes) {
    int error = 0;
    fd_ = connectTo("127.0.0.1", port, error);
    if (fd_ >= 0 && !bytes.empty() &&
        send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size())) {
        close(fd_);
        fd_ = -1;
    }
}

HeldConnection::~HeldConnection() {
    if (fd_ >= 0) close(fd_);
}

int pickFreePort(const std::function<bool(int)>& wanted) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof addr;
        int port = 0;
        if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&addr), length) == 0 &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length) == 0) {
            port = ntohs(addr.sin_port);
        }
        if (fd >= 0) close(fd);
        if (port != 0 && wanted(port)) return port;
    }
    return 0;
}

}  // namespace vtx::hostsim::test
