#include "vtx/platform/Reachability.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <new>

#include "vtx/platform/HostAddress.h"
#include "vtx/platform/TickCount.h"

namespace vtx::platform {

namespace {

constexpr size_t kEchoRequestSize = 44;
constexpr size_t kTickOffset = 8;
constexpr size_t kFillerOffset = 12;
constexpr uint8_t kFiller = 0x45;
constexpr uint8_t kEchoRequest = 8;
constexpr uint8_t kEchoReply = 0;
constexpr size_t kIcmpHeaderSize = 8;
constexpr size_t kMinIpHeaderSize = 20;
// Packets looked at per probe at most; the deadline bounds the time as well.
constexpr int kMaxPacketsPerProbe = 1000;

std::atomic<uint16_t> gSequence{0};

// One ICMP socket: raw when permitted, else the unprivileged datagram kind.
struct IcmpSocket {
    int fd = -1;
    bool raw = false;

    IcmpSocket() {
        fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (fd >= 0) {
            raw = true;
            return;
        }
        fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    }
    ~IcmpSocket() {
        if (fd >= 0) ::close(fd);
    }
    IcmpSocket(const IcmpSocket&) = delete;
    IcmpSocket& operator=(const IcmpSocket&) = delete;
};

uint16_t readBe16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

void writeBe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v & 0xFF);
}

void setTimeouts(int fd, int timeoutMs) {
    timeval tv{};
    tv.tv_sec = timeoutMs / 1000;
    tv.tv_usec = static_cast<suseconds_t>((timeoutMs % 1000) * 1000);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
}

// True when `packet` (as received on `sock`) is the answer to our request.
// A raw socket sees every ICMP packet of the host with its IP header, our own
// request on loopback included; a datagram socket sees only the replies to
// its own identifier, which the kernel chose, without the IP header.
bool isOurReply(const uint8_t* packet, size_t len, bool raw, uint16_t identifier,
                uint16_t sequence) {
    const uint8_t* icmp = packet;
    if (raw) {
        if (len < kMinIpHeaderSize) return false;
        size_t ipHeader = static_cast<size_t>(packet[0] & 0x0F) * 4;
        if (ipHeader < kMinIpHeaderSize || len < ipHeader + kIcmpHeaderSize) return false;
        icmp += ipHeader;
        len -= ipHeader;
    } else if (len < kIcmpHeaderSize) {
        return false;
    }
    if (icmp[0] != kEchoReply) return false;
    if (raw && readBe16(icmp + 4) != identifier) return false;
    return readBe16(icmp + 6) == sequence;
}

}  // namespace

uint16_t internetChecksum(const uint8_t* data, size_t len) {
    uint32_t sum = 0;
    size_t i = 0;
    for (; i + 1 < len; i += 2) sum += readBe16(data + i);
    if (i < len) sum += static_cast<uint32_t>(data[i]) << 8;
    while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint16_t>(~sum & 0xFFFF);
}

std::vector<uint8_t> buildEchoRequest(uint16_t identifier, uint16_t sequence, uint32_t tick) {
    std::vector<uint8_t> packet(kEchoRequestSize, 0);
    packet[0] = kEchoRequest;
    packet[1] = 0;
    writeBe16(&packet[4], identifier);
    writeBe16(&packet[6], sequence);
    std::memcpy(&packet[kTickOffset], &tick, sizeof tick);
    std::memset(&packet[kFillerOffset], kFiller, kEchoRequestSize - kFillerOffset);
    writeBe16(&packet[2], internetChecksum(packet.data(), packet.size()));
    return packet;
}

bool probeHost(std::string_view host, int timeoutMs) {
    try {
        size_t start = host.find_first_not_of(" \t");
        host = start == std::string_view::npos ? std::string_view() : host.substr(start);
        host = host.substr(0, host.find_first_of(" \t"));
        std::optional<in_addr> addr = resolveIpv4(host);
        if (!addr) return false;

        IcmpSocket sock;
        if (sock.fd < 0) return false;
        if (timeoutMs < 0) timeoutMs = 0;
        setTimeouts(sock.fd, timeoutMs);

        auto identifier = static_cast<uint16_t>(::getpid() & 0xFFFF);
        uint16_t sequence = gSequence.fetch_add(1, std::memory_order_relaxed);
        std::vector<uint8_t> request = buildEchoRequest(identifier, sequence, tickCount());

        sockaddr_in dest{};
        dest.sin_family = AF_INET;
        dest.sin_addr = *addr;
        if (::sendto(sock.fd, request.data(), request.size(), 0,
                     reinterpret_cast<const sockaddr*>(&dest), sizeof dest) < 0) {
            return false;
        }

        using Clock = std::chrono::steady_clock;
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        uint8_t buf[1500];
        for (int packets = 0; packets < kMaxPacketsPerProbe; ++packets) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) return false;
            pollfd pfd{sock.fd, POLLIN, 0};
            int ready = ::poll(&pfd, 1, static_cast<int>(left.count()));
            if (ready < 0 && errno == EINTR) continue;
            if (ready <= 0) return false;
            sockaddr_in from{};
            socklen_t fromLen = sizeof from;
            ssize_t n = ::recvfrom(sock.fd, buf, sizeof buf, MSG_DONTWAIT,
                                   reinterpret_cast<sockaddr*>(&from), &fromLen);
            if (n < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) continue;
                return false;
            }
            if (from.sin_addr.s_addr != addr->s_addr) continue;
            if (isOurReply(buf, static_cast<size_t>(n), sock.raw, identifier, sequence)) {
                return true;
            }
        }
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace vtx::platform
