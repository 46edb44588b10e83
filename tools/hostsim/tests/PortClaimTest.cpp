// The port claim that keeps test programs running side by side off each
// other's hosts: a port is handed out once on the machine while its claimer
// lives, and free again for others when the claimer ends.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "HostSimProcess.h"

namespace vtx::hostsim::test {
namespace {

// Runs claimLoopbackPort(port) in a child process; its answer.
bool claimedByAnotherProcess(int port) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(claimLoopbackPort(port) ? 0 : 1);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        ADD_FAILURE() << "the child process did not run";
        return false;
    }
    return WEXITSTATUS(status) == 0;
}

TEST(PortClaim, APortIsHandedOutOnceWhileItsClaimerLives) {
    std::set<int> ports;
    for (int i = 0; i < 20; ++i) {
        const int port = freeFourDigitPort();
        ASSERT_GE(port, 1000);
        ASSERT_LE(port, 9999);
        EXPECT_NE(port % 1000, 0);
        EXPECT_TRUE(ports.insert(port).second) << port << " handed out twice";
    }
    const int held = *ports.begin();
    EXPECT_FALSE(claimLoopbackPort(held)) << "this process claimed " << held << " again";
    EXPECT_FALSE(claimedByAnotherProcess(held)) << "another process took " << held;
}

TEST(PortClaim, AClaimEndsWithTheProcessThatMadeIt) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Ends without closing anything, as a test program that crashed.
        const int port = freeFourDigitPort();
        const ssize_t wrote = ::write(fds[1], &port, sizeof port);
        ::_exit(wrote == static_cast<ssize_t>(sizeof port) ? 0 : 1);
    }
    ::close(fds[1]);
    int port = 0;
    const ssize_t got = ::read(fds[0], &port, sizeof port);
    ::close(fds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(got, static_cast<ssize_t>(sizeof port));
    ASSERT_NE(port, 0);
    EXPECT_TRUE(claimLoopbackPort(port)) << port << " stayed claimed after its claimer ended";
}

}  // namespace
}  // namespace vtx::hostsim::test
