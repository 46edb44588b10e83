// Faults drawn at random per request (FaultMix, Seed) and the garbage fault:
// how the keys are read, what a client sees, and that a seed deals the same
// faults in the same order again.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "Frames.h"
#include "HostConfig.h"
#include "HostFixture.h"

namespace vtx::hostsim::test {
namespace {

using namespace vtx::wire;

TEST(FaultMixConfig, SharesAreFaultNamesWithPercentagesOfAtMostAHundredInAll) {
    std::string error;
    auto config = parseHostConfig(
        "[mix]\nFaultMix= Close-Before:5 , delay:10,garbage:85\nSeed=42\n[plain]\n", error);
    ASSERT_TRUE(config) << error;
    const PortConfig& mix = config->ports[0];
    EXPECT_EQ(mix.fault, Fault::kNone);
    EXPECT_EQ(mix.faultMix,
              (std::vector<FaultShare>{
                  {Fault::kCloseBefore, 5}, {Fault::kDelay, 10}, {Fault::kGarbage, 85}}));
    EXPECT_EQ(mix.seed, 42u);
    EXPECT_TRUE(config->ports[1].faultMix.empty());
    EXPECT_EQ(config->ports[1].seed, 1u);

    for (const char* bad : {"refuse:5", "none:5", "delay", "delay:0", "delay:101", "delay:-1",
                            "delay:60,garbage:41", "delay:5,delay:5", "lost:5", "delay:5,"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parseHostConfig(std::string("[t]\nFaultMix=") + bad + "\n", error));
        EXPECT_NE(error.find("[t], key FaultMix"), std::string::npos) << error;
    }
    EXPECT_FALSE(parseHostConfig("[t]\nFault=delay\nFaultMix=garbage:5\n", error));
    EXPECT_NE(error.find("leave Fault out"), std::string::npos) << error;
    EXPECT_FALSE(parseHostConfig("[t]\nSeed=x1\n", error));
    EXPECT_NE(error.find("[t], key Seed"), std::string::npos) << error;
}

class FaultMixTest : public HostFixture {
protected:
    static HostSimPort mixed(const std::string& mix, long seed) {
        HostSimPort cfg = hostPort("mix");
        cfg.faultMix = mix;
        cfg.seed = seed;
        return cfg;
    }

    // What each of `count` requests, sent one after the other, met: "ok"
    // (the default reply), "closed" (nothing) or "garbage" (a reply frame
    // of the default reply's length holding other bytes).
    std::vector<std::string> outcomes(int count) {
        std::vector<std::string> seen;
        for (int i = 0; i < count; ++i) {
            const std::string proc = std::to_string(100000 + i);
            const std::string received =
                roundTrip(host().port("mix"), plainFrame(request(proc))).received;
            // Every request takes a sequence number, whatever its fault.
            const std::string normal = defaultReply(proc, "");
            if (received.empty()) {
                seen.push_back("closed");
            } else if (received.find(normal.substr(0, normal.size() - 1)) == 4) {
                seen.push_back("ok");
            } else if (received.size() == plainFrame(defaultReply(proc, "000001")).size() &&
                       received.substr(0, 4) ==
                           plainFrame(defaultReply(proc, "000001")).substr(0, 4)) {
                seen.push_back("garbage");
            } else {
                seen.push_back("unexpected: " + received);
            }
        }
        return seen;
    }

    size_t logLinesWith(const std::string& text) {
        const std::vector<std::string> lines = host().logLines();
        return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](auto& line) {
            return line.find(text) != std::string::npos;
        }));
    }
};

TEST_F(FaultMixTest, GarbageIsAFrameOfTheRightLengthWithRandomBytesTheSameForTheSameSeed) {
    auto garbage = [&](long seed) {
        HostSimPort cfg = hostPort("g");
        cfg.fault = "garbage";
        cfg.seed = seed;
        EXPECT_TRUE(startHost({cfg}));
        return roundTrip(host().port("g"), plainFrame(request("1"))).received;
    };
    const std::string normal = plainFrame(defaultReply("1", "000001"));
    const std::string first = garbage(7);
    ASSERT_EQ(first.size(), normal.size());
    EXPECT_EQ(first.substr(0, 4), normal.substr(0, 4));
    EXPECT_NE(first.substr(4), normal.substr(4));
    EXPECT_EQ(logLinesWith("g FAULT garbage: " + std::to_string(normal.size() - 4) +
                           " random bytes in place of the reply; request 0200/1"),
              1u);
    host().stop();
    EXPECT_EQ(garbage(7), first);
    host().stop();
    EXPECT_NE(garbage(8), first);
}

TEST_F(FaultMixTest, ASeedDealsTheMixInTheSameOrderAgainAndEachShareRoughlyItsPart) {
    constexpr int kRequests = 200;
    ASSERT_TRUE(startHost({mixed("close-before:30,garbage:30", 11)}));
    const std::vector<std::string> first = outcomes(kRequests);
    std::map<std::string, int> counts;
    for (const std::string& o : first) ++counts[o];
    EXPECT_EQ(counts.size(), 3u) << ::testing::PrintToString(counts);
    // 30 % of 200 is 60; a fair draw stays far inside these bounds.
    for (const char* kind : {"ok", "closed", "garbage"}) {
        EXPECT_GT(counts[kind], 30) << kind;
        EXPECT_LT(counts[kind], 110) << kind;
    }
    // The log names the request each fault hit.
    EXPECT_EQ(logLinesWith("mix FAULT close-before: closed without a reply; request 0200/"),
              static_cast<size_t>(counts["closed"]));
    host().stop();

    ASSERT_TRUE(startHost({mixed("close-before:30,garbage:30", 11)}));
    EXPECT_EQ(outcomes(kRequests), first);
    host().stop();
    ASSERT_TRUE(startHost({mixed("close-before:30,garbage:30", 12)}));
    EXPECT_NE(outcomes(kRequests), first);
}

TEST_F(FaultMixTest, ADelayOfTheMixWaitsADrawnTimeUpToDelayMs) {
    HostSimPort cfg = mixed("delay:100", 3);
    cfg.delayMs = 40;
    ASSERT_TRUE(startHost({cfg}));
    const std::vector<std::string> seen = outcomes(20);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "ok"), 20);
    std::vector<int> waits;
    for (const std::string& line : host().logLines()) {
        const size_t at = line.find("mix FAULT delay: ");
        if (at != std::string::npos) waits.push_back(std::stoi(line.substr(at + 17)));
    }
    ASSERT_EQ(waits.size(), 20u);
    EXPECT_LE(*std::max_element(waits.begin(), waits.end()), 40);
    EXPECT_GE(*std::min_element(waits.begin(), waits.end()), 0);
    EXPECT_NE(*std::min_element(waits.begin(), waits.end()),
              *std::max_element(waits.begin(), waits.end()));
}

}  // namespace
}  // namespace vtx::hostsim::test
