#include "vtx/linkagent/CSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "vtx/platform/HostAddress.h"
#include "vtx/platform/SocketError.h"
#include "vtx/platform/SocketPoll.h"

namespace vtx::linkagent {
namespace {

using namespace vtx::platform;

// The dotted address of a socket name, or "DESCONHECIDO".
std::string dotted(const sockaddr_in& address, bool known) {
    char text[INET_ADDRSTRLEN] = {};
    if (!known || address.sin_family != AF_INET ||
        ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text) == nullptr)
        return CSocket::kUnknownAddress;
    return text;
}

}  // namespace

int CSocket::fail(int winsockError) {
    lastError_ = winsockError;
    return 0;
}

int CSocket::failWithErrno() {
    int code = lastWinsockError();
    return fail(code != 0 ? code : kWsaEconnreset);
}

int CSocket::Accept(std::string* peerAddress) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    int accepted;
    do {
        accepted = ::accept4(socket_, reinterpret_cast<sockaddr*>(&address), &length, SOCK_CLOEXEC);
    } while (accepted < 0 && errno == EINTR);
    if (accepted < 0) {
        failWithErrno();
        return kInvalidSocket;
    }
    if (peerAddress) *peerAddress = dotted(address, true);
    return accepted;
}

int CSocket::Attach(int socket) {
    socket_ = socket;
    connected_ = 1;
    return 1;
}

void CSocket::Close() {
    connected_ = 0;
    if (socket_ == kInvalidSocket) return;
    ::shutdown(socket_, SHUT_WR);
    ::close(socket_);
    socket_ = kInvalidSocket;
}

void CSocket::Config() {
    int flags = ::fcntl(socket_, F_GETFL);
    if (flags < 0 || ((flags & O_NONBLOCK) && ::fcntl(socket_, F_SETFL, flags & ~O_NONBLOCK) < 0))
        failWithErrno();
    sockaddr_in address{};
    socklen_t length = sizeof address;
    bool known = ::getpeername(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    peer_ = dotted(address, known);
    address = {};
    length = sizeof address;
    known = ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    local_ = dotted(address, known);
}

int CSocket::Connect(const std::string& host, int port) {
    if (port <= 0 || port > 65535) return fail(kWsaEinval);
    std::optional<in_addr> resolved = resolveIpv4(host);
    if (!resolved) return fail(kWsaHostNotFound);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr = *resolved;
    int r;
    do {
        r = ::connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (r != 0 && errno == EINTR);
    if (r != 0) return failWithErrno();
    connected_ = 1;
    return 1;
}

int CSocket::Create(int port, int type, const std::string& address) {
    if (port < 0 || port > 65535) return fail(kWsaEinval);
    sockaddr_in name{};
    name.sin_family = AF_INET;
    name.sin_port = htons(static_cast<uint16_t>(port));
    name.sin_addr.s_addr = htonl(INADDR_ANY);
    if (!address.empty() && ::inet_pton(AF_INET, address.c_str(), &name.sin_addr) != 1)
        return fail(kWsaEaddrnotavail);
    int created = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (created < 0) return failWithErrno();
    int one = 1;
    if (type == SOCK_STREAM) ::setsockopt(created, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(created, reinterpret_cast<const sockaddr*>(&name), sizeof name) != 0) {
        failWithErrno();
        ::close(created);  // a socket that cannot serve is not kept
        return 0;
    }
    socket_ = created;
    return 1;
}

int CSocket::CreateToConnect(int type) {
    int created = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (created < 0) return failWithErrno();
    socket_ = created;
    connected_ = 1;
    return 1;
}

int CSocket::GetSockOpt(int level, int name, void* value, socklen_t* length) {
    return ::getsockopt(socket_, level, name, value, length) == 0 ? 1 : failWithErrno();
}

int CSocket::SetSockOpt(int level, int name, const void* value, socklen_t length) {
    return ::setsockopt(socket_, level, name, value, length) == 0 ? 1 : failWithErrno();
}

int CSocket::IOCtl(unsigned long command, int* argument) {
    return ::ioctl(socket_, command, argument) == 0 ? 1 : failWithErrno();
}

int CSocket::Listen(int backlog) {
    return ::listen(socket_, backlog) == 0 ? 1 : failWithErrno();
}

int CSocket::Receive(char* buffer, int n) {
    return receiveExact(buffer, n, kReceiveWaitMicros, nullptr, nullptr);
}

int CSocket::Receive(char* buffer, int n, Clock::time_point deadline,
                     const std::atomic<bool>* stop) {
    return receiveExact(buffer, n, 0, &deadline, stop);
}

int CSocket::receiveExact(char* buffer, int n, long waitMicros, const Clock::time_point* deadline,
                          const std::atomic<bool>* stop) {
    if (n <= 0) return n == 0 ? 0 : fail(kWsaEinval);
    int done = 0;
    while (done < n) {
        // What has arrived is taken without a wait.
        ssize_t r = ::recv(socket_, buffer + done, static_cast<size_t>(n - done), MSG_DONTWAIT);
        if (r > 0) {
            done += static_cast<int>(r);
            continue;
        }
        if (r == 0) return fail(kPeerClosed);
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return failWithErrno();
        if (stop && stop->load()) return fail(kWsaEintr);
        long wait = waitMicros;
        if (deadline) {
            wait = static_cast<long>(std::max<long long>(
                0, std::chrono::duration_cast<std::chrono::microseconds>(*deadline - Clock::now())
                       .count()));
            if (stop) wait = std::min(wait, kStopCheckMicros);
        }
        if (!WaitToReceive(wait)) {
            const bool timeLeft = deadline && stop && Clock::now() < *deadline;
            if (!timeLeft || lastError_ != kWsaEtimedout) return 0;
        }
    }
    return n;
}

int CSocket::Send(const char* buffer, int n, int waitSeconds) {
    if (n < 0) return fail(kWsaEinval);
    int done = 0;
    while (done < n) {
        ssize_t r = ::send(socket_, buffer + done, static_cast<size_t>(n - done),
                           MSG_NOSIGNAL | MSG_DONTWAIT);
        if (r >= 0) {
            done += static_cast<int>(r);
            continue;
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return failWithErrno();
        if (!WaitToSend(waitSeconds)) return 0;
    }
    return n;
}

int CSocket::WaitToReceive(long microseconds) {
    int r = pollFor(socket_, POLLIN, std::chrono::microseconds(microseconds));
    if (r > 0) return 1;
    return r == 0 ? fail(kWsaEtimedout) : failWithErrno();
}

int CSocket::WaitToSend(int seconds) {
    int r = pollFor(socket_, POLLOUT, std::chrono::seconds(seconds));
    if (r > 0) return 1;
    return r == 0 ? fail(0) : failWithErrno();
}

}  // namespace vtx::linkagent
