// Decimal numbers of the configuration and data files.
//
// Thread-safety: pure functions.
#pragma once

#include <optional>
#include <string_view>

namespace vtx::hostsim {

// A decimal number made of digits only, within [lo, hi]; nullopt otherwise.
inline std::optional<long> parseDecimal(std::string_view text, long lo, long hi) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < lo || value > hi) return std::nullopt;
    return value;
}

}  // namespace vtx::hostsim
