#include "vtx/platform/SocketPoll.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <thread>

#include "SocketPair.h"

namespace vtx::platform {
namespace {

using namespace std::chrono_literals;

using vtx::test::SocketPair;

TEST(SocketPoll, ATimeOutNeverComesBeforeTheDeadline) {
    SocketPair pair;
    // Fractions of a millisecond are where a wait cut to whole milliseconds
    // wakes early.
    for (auto wait : {1700us, 2300us, 999us, 5001us}) {
        for (int round = 0; round < 5; ++round) {
            const auto deadline = PollClock::now() + wait;
            EXPECT_EQ(pollUntil(pair.fd[0], POLLIN, deadline), 0);
            EXPECT_GE(PollClock::now(), deadline) << wait.count() << " us";

            const auto start = PollClock::now();
            EXPECT_EQ(pollFor(pair.fd[0], POLLIN, wait), 0);
            EXPECT_GE(PollClock::now() - start, wait) << wait.count() << " us";
        }
    }
}

TEST(SocketPoll, ReadyAtOnceAndPastDeadlinesPollWithoutWaiting) {
    SocketPair pair;
    EXPECT_EQ(pollFor(pair.fd[0], POLLIN, -5s), 0);
    EXPECT_GT(pollFor(pair.fd[0], POLLOUT, 0s), 0);
    ASSERT_EQ(::write(pair.fd[1], "x", 1), 1);
    const auto start = PollClock::now();
    EXPECT_GT(pollFor(pair.fd[0], POLLIN, 60s), 0);
    EXPECT_LT(PollClock::now() - start, 30s);
    EXPECT_GT(pollUntil(pair.fd[0], POLLIN, PollClock::now() - 1s), 0);
}

TEST(SocketPoll, AClosedDescriptorIsAnError) {
    int fd[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fd), 0);
    ::close(fd[1]);
    ::close(fd[0]);
    errno = 0;
    EXPECT_LT(pollFor(fd[0], POLLIN, 1s), 0);
    EXPECT_EQ(errno, EBADF);
}

void onSignal(int) {}

TEST(SocketPoll, ASignalDoesNotEndTheWait) {
    struct sigaction action {};
    action.sa_handler = onSignal;  // no SA_RESTART: ppoll sees EINTR
    struct sigaction previous {};
    ASSERT_EQ(::sigaction(SIGUSR1, &action, &previous), 0);
    SocketPair pair;
    const pthread_t waiter = ::pthread_self();
    std::thread interrupter([waiter] {
        for (int i = 0; i < 5; ++i) {
            std::this_thread::sleep_for(10ms);
            ::pthread_kill(waiter, SIGUSR1);
        }
    });
    const auto start = PollClock::now();
    EXPECT_EQ(pollFor(pair.fd[0], POLLIN, 150ms), 0);
    const auto waited = PollClock::now() - start;
    interrupter.join();
    ::sigaction(SIGUSR1, &previous, nullptr);
    EXPECT_GE(waited, 150ms);
}

}  // namespace
}  // namespace vtx::platform
