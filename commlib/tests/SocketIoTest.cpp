// The library's socket waits on a local socket pair: how long a wait lasts
// and what it reports.
#include "SocketIo.h"

#include <gtest/gtest.h>

#include <chrono>

#include "SocketPair.h"
#include "ThreadState.h"

using namespace vtx::cli;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

using vtx::test::SocketPair;

}  // namespace

TEST(SocketWaits, LastAtLeastTheirWholeTimeOut) {
    SocketPair pair;
    for (int round = 0; round < 10; ++round) {
        const auto start = Clock::now();
        EXPECT_EQ(waitReadable(pair.fd[0], 3), 0);
        EXPECT_GE(Clock::now() - start, 3ms) << "round " << round;

        char byte;
        const auto again = Clock::now();
        ReceiveResult r = receiveExact(pair.fd[0], &byte, 1, 3);
        EXPECT_EQ(r.received, 0u);
        EXPECT_EQ(lastError(), 10060);
        EXPECT_GE(Clock::now() - again, 3ms) << "round " << round;
    }
}
