// The host's sequence number (NSU) given to each answered request: one counter
// for the whole process, starting at 1, written "%06d", back to 1 after
// 999999.
//
// Thread-safety: next() may be called from any thread; each call gets its own
// number.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>

namespace vtx::hostsim {

class NsuCounter {
public:
    std::string next() {
        uint64_t n = issued_.fetch_add(1, std::memory_order_relaxed);
        char text[16];
        std::snprintf(text, sizeof text, "%06u", static_cast<unsigned>(n % kWrap + 1));
        return text;
    }

private:
    static constexpr uint64_t kWrap = 999999;
    std::atomic<uint64_t> issued_{0};
};

}  // namespace vtx::hostsim
