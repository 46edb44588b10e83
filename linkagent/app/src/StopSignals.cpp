#include "StopSignals.h"

#include <pthread.h>
#include <signal.h>

#include <cerrno>

namespace vtx::linkagent {
namespace {

sigset_t stopSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

}  // namespace

StopSignals::StopSignals() {
    sigset_t set = stopSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    (void)::signal(SIGPIPE, SIG_IGN);  // cannot fail for SIGPIPE
}

int StopSignals::wait(std::chrono::milliseconds bound) {
    sigset_t set = stopSet();
    const long long ms = bound.count() < 0 ? 0 : bound.count();
    timespec limit{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    int signal = ::sigtimedwait(&set, nullptr, &limit);
    return signal > 0 ? signal : 0;
}

}  // namespace vtx::linkagent
