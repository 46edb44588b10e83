// Socket operations of the transport: waits, send all, receive exactly n
// bytes, connect within a time budget. Errors are Winsock numbers stored as
// the calling thread's last error.
//
// Thread-safety: any thread; each call works on the socket it is given.
#pragma once

#include <chrono>
#include <cstddef>

#include "vtx/platform/SocketPoll.h"

namespace vtx::cli {

using vtx::platform::PollClock;

// No bound on a receive as a whole: only each of its waits is bounded.
inline constexpr PollClock::time_point kNoDeadline = PollClock::time_point::max();

// The body of a reply: each wait for more of it lasts at most this long, and
// so does the whole body, however the host spreads it out (doubled for a
// client request through the local gateway).
inline constexpr std::chrono::milliseconds kReplyBodyTime{100 * 1000};

// 1 when writable within `ms`; 0 on time-out (last error 10060) or error.
int waitWritable(int sock, int ms);
// 1 when readable within `ms`; 0 on time-out (last error untouched) or error
// (last error 10054 when the wait failed without a socket error).
int waitReadable(int sock, int ms);

// Sends all `len` bytes, each wait bounded by `timeoutMs`. Returns the bytes
// sent; fewer than `len` means the last error says why.
size_t sendAll(int sock, const char* data, size_t len, int timeoutMs);

// How receiveExact treats the first bytes of a reply header.
enum class HeaderKind { Body, Header, GatewayHeader };

struct ReceiveResult {
    size_t received = 0;  // bytes placed in the destination
    int gatewayCode = 0;  // the negative code a gateway sent in place of a length
};

// Receives exactly `len` bytes, each wait bounded by `waitMs` and all of them
// by `deadline`. Stops early on time-out (10060: a wait ran out or the
// deadline passed), close by the peer (10054) or a socket error. With
// HeaderKind::GatewayHeader a header beginning "-" followed by digits is the
// gateway's error code: it is returned in gatewayCode (and as last error).
ReceiveResult receiveExact(int sock, char* dst, size_t len, int waitMs,
                           HeaderKind kind = HeaderKind::Body,
                           PollClock::time_point deadline = kNoDeadline);

// Connects `sock` to host:port, retrying every 500 ms until a quarter of
// `timeoutMs` has passed. Returns 0 or the Winsock error (also last error).
// The socket handle stays the same across retries.
int connectSocket(int sock, const char* host, int port, int timeoutMs);

// A new TCP stream socket (close-on-exec), or -1.
int openStreamSocket();

// Shuts down sending, then closes.
int closeSocket(int sock);

}  // namespace vtx::cli
