#include "vtx/platform/Reachability.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "vtx/platform/HostAddress.h"

namespace vtx::platform {
namespace {

bool icmpSocketAvailable() {
    for (int type : {SOCK_RAW, SOCK_DGRAM}) {
        int fd = ::socket(AF_INET, type, IPPROTO_ICMP);
        if (fd >= 0) {
            ::close(fd);
            return true;
        }
    }
    return false;
}

TEST(ChecksumTest, MatchesTheReferenceExample) {
    const uint8_t bytes[] = {0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7};
    EXPECT_EQ(internetChecksum(bytes, sizeof bytes), 0x220d);
    const uint8_t odd[] = {0x01, 0x02, 0x03};  // last byte padded: 0x0102 + 0x0300
    EXPECT_EQ(internetChecksum(odd, sizeof odd), static_cast<uint16_t>(~0x0402));
    EXPECT_EQ(internetChecksum(nullptr, 0), 0xFFFF);
}

TEST(EchoRequestTest, HasTheStationLayoutAndAValidChecksum) {
    const uint32_t tick = 0x11223344;
    std::vector<uint8_t> p = buildEchoRequest(0xBEEF, 0x0102, tick);
    ASSERT_EQ(p.size(), 44u);
    EXPECT_EQ(p[0], 8);
    EXPECT_EQ(p[1], 0);
    EXPECT_EQ(p[4], 0xBE);
    EXPECT_EQ(p[5], 0xEF);
    EXPECT_EQ(p[6], 0x01);
    EXPECT_EQ(p[7], 0x02);
    uint32_t stored = 0;
    std::memcpy(&stored, &p[8], sizeof stored);
    EXPECT_EQ(stored, tick);
    for (size_t i = 12; i < 44; ++i) EXPECT_EQ(p[i], 0x45) << i;
    EXPECT_EQ(internetChecksum(p.data(), p.size()), 0);
    EXPECT_EQ(internetChecksum(buildEchoRequest(0, 0xFFFF, 0xFFFFFFFF).data(), 44), 0);
}

TEST(HostAddressTest, ParsesDottedFormAndLocalNames) {
    auto a = resolveIpv4("127.0.0.1");
    ASSERT_TRUE(a);
    EXPECT_EQ(ntohl(a->s_addr), 0x7F000001u);
    EXPECT_FALSE(resolveIpv4(""));
    auto local = resolveIpv4("localhost");
    ASSERT_TRUE(local);
    EXPECT_EQ(ntohl(local->s_addr) >> 24, 127u);
}

TEST(ProbeTest, EmptyHostFailsAtOnce) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(probeHost("", 60000));
    EXPECT_FALSE(probeHost("   ", 60000));
    // Far below the minute a probe was allowed.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(ProbeTest, LoopbackAnswers) {
    if (!icmpSocketAvailable()) GTEST_SKIP() << "no ICMP socket allowed here";
    EXPECT_TRUE(probeHost("127.0.0.1"));
    EXPECT_TRUE(probeHost("127.0.0.1 trailing words", 2000));
    // Back to back: each probe matches its own reply only.
    EXPECT_TRUE(probeHost("127.0.0.1"));
}

}  // namespace
}  // namespace vtx::platform
