// A TCP socket bound to a loopback address and port, listening unless asked
// not to (a bound port that does not listen refuses connections while keeping
// the port number reserved). Closed with the object.
//
// Thread-safety: immutable once open; fd() may be used from any thread.
#pragma once

#include <optional>
#include <string>

namespace vtx::hostsim {

class ListenSocket {
public:
    // Binds `address`:`port` (port 0: a free port). nullopt with `error` set
    // on failure. The socket is non-blocking.
    static std::optional<ListenSocket> open(const std::string& address, int port, bool listen,
                                            std::string& error);

    ListenSocket(ListenSocket&& other) noexcept;
    ListenSocket& operator=(ListenSocket&& other) noexcept;
    ListenSocket(const ListenSocket&) = delete;
    ListenSocket& operator=(const ListenSocket&) = delete;
    ~ListenSocket();

    int fd() const { return fd_; }
    int port() const { return port_; }

private:
    ListenSocket(int fd, int port) : fd_(fd), port_(port) {}

    int fd_ = -1;
    int port_ = 0;
};

}  // namespace vtx::hostsim
