#include "vtx/platform/HostAddress.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <cstring>
#include <new>
#include <string>

namespace vtx::platform {

std::optional<in_addr> resolveIpv4(std::string_view host) {
    if (host.empty()) return std::nullopt;
    try {
        std::string text(host);
        in_addr addr{};
        if (::inet_pton(AF_INET, text.c_str(), &addr) == 1) return addr;

        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* result = nullptr;
        if (::getaddrinfo(text.c_str(), nullptr, &hints, &result) != 0 || result == nullptr) {
            return std::nullopt;
        }
        std::optional<in_addr> out;
        if (result->ai_family == AF_INET && result->ai_addrlen >= sizeof(sockaddr_in)) {
            sockaddr_in sin{};
            std::memcpy(&sin, result->ai_addr, sizeof sin);
            out = sin.sin_addr;
        }
        ::freeaddrinfo(result);
        return out;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace vtx::platform
