#include "ListenSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace vtx::hostsim {
namespace {

constexpr int kBacklog = 512;

}  // namespace

std::optional<ListenSocket> ListenSocket::open(const std::string& address, int port, bool listen,
                                               std::string& error) {
    sockaddr_storage storage{};
    socklen_t length = 0;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
    if (inet_pton(AF_INET, address.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(static_cast<uint16_t>(port));
        length = sizeof *v4;
    } else if (inet_pton(AF_INET6, address.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(static_cast<uint16_t>(port));
        length = sizeof *v6;
    } else {
        error = "not a numeric address: " + address;
        return std::nullopt;
    }
    int fd = socket(storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return std::nullopt;
    }
    ListenSocket sock(fd, port);
    int one = 1;
    // A restarted simulator must get its port back while old connections linger.
    if (listen) setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    const std::string where = address + " port " + std::to_string(port);
    if (bind(fd, reinterpret_cast<sockaddr*>(&storage), length) != 0) {
        error = "cannot bind " + where + ": " + std::strerror(errno);
        return std::nullopt;
    }
    if (listen && ::listen(fd, kBacklog) != 0) {
        error = "cannot listen on " + where + ": " + std::strerror(errno);
        return std::nullopt;
    }
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&storage), &length) == 0) {
        sock.port_ = ntohs(storage.ss_family == AF_INET ? v4->sin_port : v6->sin6_port);
    }
    return sock;
}

ListenSocket::ListenSocket(ListenSocket&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), port_(other.port_) {}

ListenSocket& ListenSocket::operator=(ListenSocket&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        port_ = other.port_;
    }
    return *this;
}

ListenSocket::~ListenSocket() {
    if (fd_ >= 0) close(fd_);
}

}  // namespace vtx::hostsim
