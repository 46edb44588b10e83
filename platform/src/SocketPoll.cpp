#include "vtx/platform/SocketPoll.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

namespace vtx::platform {

int pollUntil(int fd, short events, PollClock::time_point deadline) {
    using std::chrono::nanoseconds;
    for (;;) {
        const nanoseconds left = std::max(
            nanoseconds::zero(), std::chrono::ceil<nanoseconds>(deadline - PollClock::now()));
        const timespec limit{static_cast<time_t>(left.count() / 1000000000),
                             static_cast<long>(left.count() % 1000000000)};
        pollfd p{fd, events, 0};
        const int r = ::ppoll(&p, 1, &limit, nullptr);
        if (r < 0 && errno == EINTR) continue;
        if (r > 0 && (p.revents & POLLNVAL)) {
            errno = EBADF;
            return -1;
        }
        // A wake-up before the deadline is no time-out: wait for the rest.
        if (r == 0 && PollClock::now() < deadline) continue;
        return r;
    }
}

int pollFor(int fd, short events, std::chrono::nanoseconds timeout) {
    return pollUntil(fd, events,
                     PollClock::now() + std::max(timeout, std::chrono::nanoseconds::zero()));
}

}  // namespace vtx::platform
