// Turning a host text into an IPv4 address: dotted form first, then name
// resolution (first address of the result).
//
// Thread-safety: safe from any thread.
#pragma once

#include <netinet/in.h>

#include <optional>
#include <string_view>

namespace vtx::platform {

std::optional<in_addr> resolveIpv4(std::string_view host);

}  // namespace vtx::platform
