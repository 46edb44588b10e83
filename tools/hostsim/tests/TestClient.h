// A bare loopback TCP client for the simulator's tests: one request out,
// everything the host sends back until it closes; or a connection that
// sends a few bytes and then holds still, as a slow or idle till does.
//
// Thread-safety: pure functions; call from any thread.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace vtx::hostsim::test {

struct Exchange {
    int connectError = 0;       // errno of a failed connect, else 0
    std::string received;       // every byte the host sent
    bool closedByHost = false;  // the host closed (or reset) the connection
};

struct RoundTripOptions {
    // Generous: a host that answers ends the exchange long before.
    std::chrono::milliseconds timeout = std::chrono::seconds(20);
    const char* address = "127.0.0.1";
    bool halfClose = false;  // shut the sending side after the request
};

// Connects to `address`:`port`, sends `request`, then reads until the host
// closes or the time-out runs out.
Exchange roundTrip(int port, std::string_view request, const RoundTripOptions& options = {});

// Connects to 127.0.0.1:`port`, sends `bytes` and keeps the connection open,
// reading nothing, until the object goes.
class HeldConnection {
public:
    HeldConnection(int port, std::string_view bytes);
    ~HeldConnection();
    HeldConnection(const HeldConnection&) = delete;
    HeldConnection& operator=(const HeldConnection&) = delete;

    bool connected() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// A loopback port that was free a moment ago and satisfies `wanted`; 0 when
// none was found in a few tries.
int pickFreePort(const std::function<bool(int)>& wanted);

}  // namespace vtx::hostsim::test
