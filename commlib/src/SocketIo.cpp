#include "SocketIo.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include "ThreadState.h"
#include "vtx/platform/HostAddress.h"
#include "vtx/platform/SocketError.h"
#include "vtx/platform/SocketPoll.h"
#include "vtx/platform/TickCount.h"
#include "vx32_cli.h"

namespace vtx::cli {
namespace {

using namespace vtx::platform;

constexpr int kConnectRetryMs = 500;

// A fresh socket under the same handle, so a failed connect can be retried.
bool renewSocket(int sock) {
    int fresh = openStreamSocket();
    if (fresh < 0) return false;
    bool ok = ::dup3(fresh, sock, O_CLOEXEC) >= 0;
    ::close(fresh);
    return ok;
}

// One connect bounded by `ms`; 0 or errno. The send time-out bounds a
// blocking connect; a non-blocking socket (handed in by another program)
// reports EINPROGRESS at once and is waited for with poll().
int connectOnce(int sock, const sockaddr_in& addr, int ms) {
    timeval limit{ms / 1000, static_cast<suseconds_t>(ms % 1000) * 1000};
    ::setsockopt(sock, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    int err = 0;
    if (::connect(sock, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        err = errno;
        if (err == EINPROGRESS || err == EINTR) {
            int r = pollFor(sock, POLLOUT, std::chrono::milliseconds(ms));
            if (r == 0) {
                err = ETIMEDOUT;
            } else if (r < 0) {
                err = errno;
            } else {
                socklen_t len = sizeof err;
                if (::getsockopt(sock, SOL_SOCKET, SO_ERROR, &err, &len) != 0) err = errno;
            }
        }
    }
    return err;
}

}  // namespace

int openStreamSocket() {
    // Sends and receives never block (MSG_DONTWAIT); every wait is a bounded
    // poll(), and connect is bounded by the send time-out.
    int sock = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (sock >= 0) {
        int one = 1;
        ::setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    return sock;
}

int closeSocket(int sock) {
    ::shutdown(sock, SHUT_WR);
    return ::close(sock);
}

int waitWritable(int sock, int ms) {
    int r = pollFor(sock, POLLOUT, std::chrono::milliseconds(ms));
    if (r > 0) return 1;
    setLastError(r == 0 ? kWsaEtimedout : lastWinsockError());
    return 0;
}

int waitReadable(int sock, int ms) {
    int r = pollFor(sock, POLLIN, std::chrono::milliseconds(ms));
    if (r > 0) return 1;
    if (r < 0) setLastError(errno ? lastWinsockError() : kWsaEconnreset);
    return 0;
}

size_t sendAll(int sock, const char* data, size_t len, int timeoutMs) {
    size_t sent = 0;
    while (sent < len) {
        // Send at once; wait for room only when the socket has none.
        ssize_t n = ::send(sock, data + sent, len - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n >= 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            setLastError(lastWinsockError());
            break;
        }
        if (!waitWritable(sock, timeoutMs)) break;
    }
    return sent;
}

ReceiveResult receiveExact(int sock, char* dst, size_t len, int waitMs, HeaderKind kind,
                           PollClock::time_point deadline) {
    ReceiveResult result;
    while (result.received < len) {
        // Take what is there; wait only when nothing is.
        ssize_t n = ::recv(sock, dst + result.received, len - result.received, MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                setLastError(lastWinsockError());
                break;
            }
            const auto waitEnd = PollClock::now() + std::chrono::milliseconds(waitMs);
            int ready = pollUntil(sock, POLLIN, std::min(waitEnd, deadline));
            if (ready <= 0) {
                setLastError(ready == 0 ? kWsaEtimedout : lastWinsockError());
                break;
            }
            continue;
        }
        if (n == 0) {
            setLastError(kWsaEconnreset);
            break;
        }
        result.received += static_cast<size_t>(n);
    }
    if (kind == HeaderKind::GatewayHeader && result.received >= 2 && dst[0] == '-') {
        // The gateway answers a failed request with its code in place of a
        // length: "-" and decimal digits.
        int code = 0;
        size_t i = 1;
        for (; i < result.received && i < 6 && dst[i] >= '0' && dst[i] <= '9'; ++i)
            code = code * 10 + (dst[i] - '0');
        if (i > 1 && code > 0) {
            result.gatewayCode = -code;
            setLastError(-code);
        }
    }
    return result;
}

int connectSocket(int sock, const char* host, int port, int timeoutMs) {
    setLastError(0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    auto resolved = resolveIpv4(host ? host : "");
    if (resolved) addr.sin_addr = *resolved;
    const uint32_t budget = static_cast<uint32_t>(std::max(timeoutMs, 0)) / 4;
    auto fail = [&](int err) {
        int code = resolved ? winsockError(err) : kWsaHostNotFound;
        setLastError(code);
        return code;
    };
    uint32_t start = tickCount();
    for (bool first = true;; first = false) {
        int err = EHOSTUNREACH;
        if (resolved) {
            if (!first && !renewSocket(sock))
                err = errno;
            else
                err = connectOnce(sock, addr, static_cast<int>(std::max<uint32_t>(budget, 1)));
            if (err == 0) return 0;
        } else {
            err = EADDRNOTAVAIL;
        }
        uint32_t now = tickCount();
        if (now < start) start = now;  // the tick count wrapped
        uint32_t elapsed = now - start;
        if (elapsed >= budget) return fail(err);
        uint32_t pause = std::min<uint32_t>(kConnectRetryMs, budget - elapsed);
        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
        if (tickCount() - start >= budget) return fail(err);
    }
}

}  // namespace vtx::cli
