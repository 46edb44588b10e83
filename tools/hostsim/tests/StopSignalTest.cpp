// The stop signal's sleep: never shorter than asked, ended by a stop.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "StopSignal.h"

namespace vtx::hostsim::test {
namespace {

using Clock = std::chrono::steady_clock;

TEST(StopSignalTest, SleepsAtLeastTheTimeAskedFor) {
    StopSignal stop;
    ASSERT_TRUE(stop.valid());
    // A remainder rounded down to whole milliseconds would wake early on
    // nearly every try.
    for (int ms = 1; ms <= 20; ++ms) {
        const auto before = Clock::now();
        EXPECT_TRUE(stop.sleepFor(ms));
        EXPECT_GE(Clock::now() - before, std::chrono::milliseconds(ms)) << ms << " ms";
    }
}

TEST(StopSignalTest, StopEndsASleepAndEveryLaterOne) {
    StopSignal stop;
    ASSERT_TRUE(stop.valid());
    std::thread stopper([&] { stop.request(); });
    EXPECT_FALSE(stop.sleepFor(600000));
    stopper.join();
    EXPECT_TRUE(stop.requested());
    EXPECT_FALSE(stop.sleepFor(600000));
}

}  // namespace
}  // namespace vtx::hostsim::test
