// The soak of LinkAgent's relay for 30 s (the bench program `soak` runs the
// same for as long as asked), and the soak's own checks: they must see a
// reply that reached the wrong terminal, a result outside the library's
// table and an outcome that does not fit the host's fault.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "SoakRun.h"
#include "vx32_cli.h"

namespace bench {
namespace {

using ::testing::IsEmpty;

// A framed reply as the host's default rule gives it for `token`.
std::string answer(const std::string& token) {
    const std::string body = "000-000=0200;011-000=" + token + ";009-000=00;012-000=000042;";
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04zu", body.size());
    return digits + body;
}

// The outcome of `reply` (result: its length) or of `result` alone.
SoakOutcome outcome(const std::string& reply) {
    return SoakReport::classify("S001000007", false, static_cast<int>(reply.size()), reply,
                                answer("S001000007").size() - 4);
}
SoakOutcome outcome(const std::string& reply, int result) {
    return SoakReport::classify("S001000007", false, result, reply,
                                answer("S001000007").size() - 4);
}

TEST(SoakChecks, RepliesAreTheOwnAnotherTerminalsGarbageOrOutsideTheTable) {
    EXPECT_EQ(outcome(answer("S001000007")).kind, "reply");
    EXPECT_EQ(outcome(answer("S002000007")).kind, "mismatch");
    EXPECT_EQ(outcome(answer("S001000007").replace(0, 4, "0051")).kind, "undocumented");
    EXPECT_EQ(outcome(answer("S001000007") + "x").kind, "undocumented");
    std::string garbage = answer("S001000007");
    garbage.replace(4, std::string::npos, garbage.size() - 4, '\0');
    EXPECT_EQ(outcome(garbage).kind, "garbage");
    EXPECT_EQ(outcome("", 4).kind, "short");
    for (int code : {VX_NO_SOCKET, VX_NO_SERVER, VX_SERVER_REFUSING, VX_BAD_LENGTH})
        EXPECT_EQ(outcome("", code).kind, std::to_string(code));
    for (int code : {0, 2, -2, -10054}) EXPECT_EQ(outcome("", code).kind, "undocumented") << code;
    // A failure that leaves the request (or anything) in the caller's buffer.
    EXPECT_EQ(SoakReport::classify("S001000007", false, VX_NO_SERVER, "", 0, false).kind,
              "buffer kept");
    EXPECT_EQ(SoakReport::classify("S001000007", false, 4, "", 0, false).kind, "buffer kept");
}

TEST(SoakChecks, AnOutcomeMustFitTheHostsFault) {
    SoakReport report;
    report.agentRanThrough = true;
    report.agentExit = 0;
    auto add = [&](const std::string& token, const std::string& fault, int result,
                   bool refused = false) {
        report.outcomes.push_back(SoakReport::classify(
            token, refused, result, result > 4 ? answer(token) : "", answer(token).size() - 4));
        if (!fault.empty()) report.hostFaults[token] = fault;
    };
    add("S000000001", "none", static_cast<int>(answer("S000000001").size()));
    add("S000000002", "close-middle", 4);
    add("S000000003", "oversize", VX_BAD_LENGTH);
    add("S000000004", "close-after", VX_NO_SERVER);
    add("S000000005", "", VX_SERVER_REFUSING, true);
    add("S000000006", "none", VX_NO_SERVER);  // time ran out: fits any fault
    EXPECT_THAT(report.problems(), IsEmpty());

    // A reply cut short reported as a whole one, a refused connection as a
    // bad length.
    add("S000000007", "close-middle", static_cast<int>(answer("S000000007").size()));
    add("S000000008", "", VX_BAD_LENGTH, true);
    EXPECT_THAT(report.problems(),
                ::testing::ElementsAre("1 x outcome -202 for fault refused",
                                       "1 x outcome reply for fault close-middle"));
}

TEST(LinkAgentSoak, SixtyFourTerminalsForThirtySecondsAgainstAHostDealingFaults) {
    SoakOptions options;
    options.seconds = 30;
    options.terminals = 64;
    const char* seed = std::getenv("VTX_SOAK_SEED");
    options.seed =
        seed ? std::strtoull(seed, nullptr, 10)
             : static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) %
                   1000000000u;
    std::printf("seed %llu (VTX_SOAK_SEED repeats it)\n",
                static_cast<unsigned long long>(options.seed));
    const SoakReport report = SoakRun(options).run();
    report.print(stdout);
    EXPECT_THAT(report.problems(), IsEmpty()) << "seed " << options.seed;

    // The soak met what it is for: every fault of the mix and the refused
    // route.
    std::set<std::string> met;
    for (const SoakOutcome& o : report.outcomes) met.insert(report.faultOf(o));
    for (const char* fault : {"none", "delay", "close-before", "close-middle", "close-after",
                              "oversize", "minus163", "garbage", "refused"})
        EXPECT_TRUE(met.count(fault)) << fault;
}

}  // namespace
}  // namespace bench
