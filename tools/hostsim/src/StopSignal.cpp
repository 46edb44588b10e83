#include "StopSignal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>

namespace vtx::hostsim {

StopSignal::StopSignal() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

StopSignal::~StopSignal() {
    if (fd_ >= 0) close(fd_);
}

void StopSignal::request() {
    requested_.store(true, std::memory_order_release);
    uint64_t one = 1;
    // Nobody reads the counter, so the fd stays readable from now on.
    [[maybe_unused]] ssize_t n = write(fd_, &one, sizeof one);
}

bool StopSignal::sleepFor(int ms) const {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (!requested()) {
        // Rounded up: a poll cut to whole milliseconds never ends the wait early.
        auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return true;
        pollfd p{fd_, POLLIN, 0};
        poll(&p, 1, static_cast<int>(left.count()));
    }
    return false;
}

}  // namespace vtx::hostsim
