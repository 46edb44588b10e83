#include "vtx/platform/SocketError.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>

#include "vtx/platform/TickCount.h"

namespace vtx::platform {
namespace {

TEST(SocketErrorTest, MapsErrnoToWinsockNumbers) {
    EXPECT_EQ(winsockError(0), 0);
    EXPECT_EQ(winsockError(ETIMEDOUT), 10060);
    EXPECT_EQ(winsockError(ECONNRESET), 10054);
    EXPECT_EQ(winsockError(EPIPE), 10054);
    EXPECT_EQ(winsockError(EAGAIN), 10035);
    EXPECT_EQ(winsockError(EWOULDBLOCK), 10035);
    EXPECT_EQ(winsockError(ENOMEM), 10055);
    EXPECT_EQ(winsockError(ENOENT), 10022);  // unknown: never 0
    EXPECT_EQ(winsockError(-1), 10022);
    errno = ECONNABORTED;
    EXPECT_EQ(lastWinsockError(), 10053);
}

TEST(TickCountTest, AdvancesInMilliseconds) {
    uint32_t start = tickCount();
    uint32_t elapsed = 0;
    for (int i = 0; i < 1000 && elapsed < 20; ++i) {
        ::usleep(1000);
        elapsed = tickCount() - start;  // unsigned difference survives the wrap
    }
    EXPECT_GE(elapsed, 20u);
    EXPECT_LT(elapsed, 5000u);
}

}  // namespace
}  // namespace vtx::platform
