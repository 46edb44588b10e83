// The host reachability probe: one ICMP echo request, as the failover of the
// communication library uses it to tell "host down" from "service refusing".
//
// Uses a raw ICMP socket when the process may open one, else an unprivileged
// ICMP datagram socket; when neither opens, the host counts as unreachable.
//
// Thread-safety: safe from any thread; each call has its own socket.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vtx::platform {

// RFC 1071 Internet checksum over `len` bytes.
uint16_t internetChecksum(const uint8_t* data, size_t len);

// The 44-byte echo request: type 8, code 0, checksum, identifier, sequence
// (network byte order), the 32-bit tick count at offset 8 (host order, as the
// original stations sent it) and the filler byte 0x45 in bytes 12-43.
std::vector<uint8_t> buildEchoRequest(uint16_t identifier, uint16_t sequence, uint32_t tick);

// True when `host` (cut at its first blank) answers one echo request within
// `timeoutMs`. An unresolvable name fails at once.
bool probeHost(std::string_view host, int timeoutMs = 1000);

}  // namespace vtx::platform
