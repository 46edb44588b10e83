// CSocket: the connection manager's socket wrapper, also offered to other
// programs of the shop. A thin, copyable handle over one TCP/IP socket that
// remembers the peer and local addresses and the last error as a Winsock
// number (vtx/platform/SocketError.h).
//
// The object does not own the socket: copies share the handle, the
// destructor leaves it open, and Close() is the one call that releases it.
// Every failing operation stores the error; a failed wait without a socket
// error stores 10054. Results are 1 (success) or 0 (failure) unless a
// function says otherwise.
//
// Thread-safety: an object belongs to one thread at a time; distinct objects
// (copies of one socket included) may be used from different threads.
#pragma once

#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

namespace vtx::linkagent {

class CSocket {
public:
    static constexpr int kInvalidSocket = -1;
    // Last error of a Receive that stopped because the peer closed.
    static constexpr int kPeerClosed = 1;
    // Each wait of Receive for more data, in microseconds.
    static constexpr long kReceiveWaitMicros = 1000;
    // Each wait of Send for room to write, in seconds.
    static constexpr int kSendWaitSeconds = 1000;
    static constexpr const char* kUnknownAddress = "DESCONHECIDO";

    using Clock = std::chrono::steady_clock;

    CSocket() = default;
    CSocket(const CSocket&) = default;
    CSocket& operator=(const CSocket&) = default;
    ~CSocket() = default;

    // The socket handle (kInvalidSocket as all ones).
    explicit operator unsigned int() const { return static_cast<unsigned int>(socket_); }

    // Accepts one pending connection and returns its socket (close-on-exec),
    // or kInvalidSocket. `peerAddress` (optional) receives the peer's dotted
    // address.
    int Accept(std::string* peerAddress);
    // Adopts `socket` and marks it connected. Returns 1.
    int Attach(int socket);
    // Clears the connected flag, shuts down sending and closes the socket.
    void Close();
    // Puts the socket in blocking mode and records the peer and local
    // dotted addresses ("DESCONHECIDO" when unknown).
    void Config();
    // Resolves `host` (dotted address or name) and connects to it.
    int Connect(const std::string& host, int port);
    // Creates an internet socket of `type` and binds it to `port` on all
    // local addresses, or on `address` when one is given. A stream socket
    // may reuse a port whose old connections are still closing.
    int Create(int port, int type = SOCK_STREAM, const std::string& address = {});
    // Creates an internet socket of `type` and marks it connected.
    int CreateToConnect(int type = SOCK_STREAM);
    int GetSockOpt(int level, int name, void* value, socklen_t* length);
    int SetSockOpt(int level, int name, const void* value, socklen_t length);
    // ioctl with an int argument (FIONBIO, FIONREAD).
    int IOCtl(unsigned long command, int* argument);
    int IsSocketConnected() const { return connected_; }
    int Listen(int backlog);
    int ObtemNumeroSocket() const { return socket_; }
    int ObtemUltimoErro() const { return lastError_; }

    // Reads exactly `n` bytes into `buffer`; bytes already received are
    // taken at once, and each wait for more data lasts at most
    // kReceiveWaitMicros. Returns n, or 0 when a wait timed out (10060), the
    // peer closed (kPeerClosed) or the socket failed.
    int Receive(char* buffer, int n);
    // As above, but the waits together last until `deadline`; with `stop`,
    // the receive also gives up (0, last error 10004) once *stop is set,
    // which it looks at every kStopCheckMicros.
    int Receive(char* buffer, int n, Clock::time_point deadline,
                const std::atomic<bool>* stop = nullptr);
    static constexpr long kStopCheckMicros = 20000;
    // Sends all `n` bytes; each wait for room (only when the socket's buffer
    // is full) lasts at most `waitSeconds`. Returns n, or 0 on failure.
    int Send(const char* buffer, int n, int waitSeconds = kSendWaitSeconds);

    // 1 when the socket is readable (data, end of stream or an error to
    // read) within `microseconds`; 0 on time-out (last error 10060) or failure.
    int WaitToReceive(long microseconds);
    // 1 when the socket is writable within `seconds`; 0 on time-out (last
    // error 0) or failure.
    int WaitToSend(int seconds);

    const std::string& peerAddress() const { return peer_; }
    const std::string& localAddress() const { return local_; }

private:
    int receiveExact(char* buffer, int n, long waitMicros, const Clock::time_point* deadline,
                     const std::atomic<bool>* stop);
    int fail(int winsockError);
    int failWithErrno();

    std::string peer_ = kUnknownAddress;
    std::string local_;
    int lastError_ = 0;
    int socket_ = kInvalidSocket;
    int connected_ = 0;
};

}  // namespace vtx::linkagent
