// Test helper: waits for a condition, never for a fixed time. Tests run on a
// loaded two-core machine, so the bound is generous: it only decides how
// long a failing test takes, never whether a working one passes.
//
// Thread-safety: call from any thread; `condition` is called on the caller's.
#pragma once

#include <chrono>
#include <thread>

namespace vtx::test {

inline constexpr std::chrono::seconds kPatience{30};

// Calls `condition` every few milliseconds until it is true (then true) or
// `bound` has passed (then false).
template <typename Condition>
bool eventually(Condition&& condition, std::chrono::milliseconds bound = kPatience) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace vtx::test
