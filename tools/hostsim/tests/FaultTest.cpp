// The fault modes as a client sees them, and frames the host refuses to read.
#include <cerrno>
#include <chrono>
#include <string>

#include "Frames.h"
#include "HostFixture.h"
#include "ShiftCipher.h"

namespace vtx::hostsim::test {
namespace {

using namespace vtx::wire;

class FaultTest : public HostFixture {
protected:
    static HostSimPort faulty(std::string section, std::string fault,
                              std::string framing = "plain") {
        HostSimPort cfg = hostPort(std::move(section), std::move(framing));
        cfg.fault = std::move(fault);
        return cfg;
    }

    bool logHas(const std::string& text) {
        for (const std::string& line : host().logLines()) {
            if (line.find(text) != std::string::npos) return true;
        }
        return false;
    }
};

TEST_F(FaultTest, RefuseKeepsThePortButRefusesConnections) {
    ASSERT_TRUE(startHost({faulty("r", "refuse")}));
    ASSERT_NE(host().port("r"), 0);

    Exchange ex = roundTrip(host().port("r"), plainFrame(request("1")));

    EXPECT_EQ(ex.connectError, ECONNREFUSED);
}

TEST_F(FaultTest, CloseBeforeReadsTheRequestAndSendsNothing) {
    ASSERT_TRUE(startHost({faulty("cb", "close-before")}));

    Exchange ex = roundTrip(host().port("cb"), plainFrame(request("1")));

    EXPECT_TRUE(ex.closedByHost);
    EXPECT_EQ(ex.received, "");
    EXPECT_EQ(host().records("cb").size(), 1u);
    EXPECT_TRUE(logHas("cb FAULT close-before"));
}

TEST_F(FaultTest, CloseAfterAnswersThenClosesWithoutSendingTheReply) {
    ASSERT_TRUE(startHost({faulty("ca", "close-after"), hostPort("ok")}));

    Exchange ex = roundTrip(host().port("ca"), plainFrame(request("1")));

    EXPECT_TRUE(ex.closedByHost);
    EXPECT_EQ(ex.received, "");
    EXPECT_TRUE(logHas("ca FAULT close-after"));
    // The reply was made (it took NSU 000001), only never sent.
    EXPECT_EQ(roundTrip(host().port("ok"), plainFrame(request("2"))).received,
              plainFrame(defaultReply("2", "000002")));
}

TEST_F(FaultTest, CloseMiddleSendsTheHeaderAndHalfTheBody) {
    ASSERT_TRUE(startHost({faulty("cm", "close-middle", "tpdu")}));
    const std::string full = tpduFrame("CHK", "OPERATOR", defaultReply("1", "000001"));
    const size_t body = full.size() - kTpduOverhead;

    Exchange ex = roundTrip(host().port("cm"), tpduFrame("CHK", "OPERATOR", request("1")));

    EXPECT_TRUE(ex.closedByHost);
    EXPECT_EQ(ex.received, full.substr(0, kTpduOverhead + body / 2));
}

TEST_F(FaultTest, DelayAnswersAfterTheConfiguredTime) {
    HostSimPort cfg = faulty("d", "delay");
    cfg.delayMs = 300;
    ASSERT_TRUE(startHost({cfg}));
    const auto before = std::chrono::steady_clock::now();

    Exchange ex = roundTrip(host().port("d"), plainFrame(request("1")));

    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(300));
    EXPECT_EQ(ex.received, plainFrame(defaultReply("1", "000001")));
}

TEST_F(FaultTest, OversizeAnnounces4000InThePortsFramingAndCipher) {
    HostSimPort plain = faulty("op", "oversize");
    HostSimPort binary = faulty("ob", "oversize", "binary");
    const int port = pickFreePort([](int p) { return shiftKeyForPort(p) != 0; });
    ASSERT_NE(port, 0);
    HostSimPort shifted = faulty("os", "oversize");
    shifted.port = port;
    shifted.cript = 1;
    ASSERT_TRUE(startHost({plain, binary, shifted}));

    Exchange p = roundTrip(host().port("op"), plainFrame(request("1")));
    EXPECT_TRUE(p.closedByHost);
    EXPECT_EQ(p.received.substr(0, 4), "4000");
    EXPECT_LT(p.received.size(), 4004u);

    Exchange b = roundTrip(host().port("ob"), binaryLengthFrame(request("1")));
    ASSERT_GE(b.received.size(), 2u);
    EXPECT_EQ(parseBinaryLength(b.received.data()), 4000u);

    std::string frame = plainFrame(request("1"));
    shiftEncipher(frame.data(), frame.size(), shiftKeyForPort(port));
    Exchange s = roundTrip(port, frame);
    shiftDecipher(s.received.data(), s.received.size(), shiftKeyForPort(port));
    EXPECT_EQ(s.received.substr(0, 4), "4000");
}

TEST_F(FaultTest, Minus163ReplacesTheLength) {
    ASSERT_TRUE(startHost({faulty("m", "minus163", "tpdu")}));

    Exchange ex = roundTrip(host().port("m"), tpduFrame("CHK", "OPERATOR", request("1")));

    EXPECT_TRUE(ex.closedByHost);
    EXPECT_EQ(ex.received, "-163");
}

TEST_F(FaultTest, RejectedFramesAreLoggedAndDoNotStopTheNextRequest) {
    HostSimPort cfg = hostPort("main");
    cfg.workers = 1;  // the same worker must get through every rejection
    ASSERT_TRUE(startHost({cfg, hostPort("gw", "tpdu")}));
    const int port = host().port("main");

    struct Case {
        std::string frame;
        std::string reason;
    };
    const Case cases[] = {
        {"4000" + std::string(100, 'x'), "is above 3072"},
        {"0000", "announced message length 0"},
        {"12ab" + std::string(20, 'x'), "is not 4 digits"},
        {"00", "connection closed after 2 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        Exchange ex = roundTrip(port, c.frame, {.halfClose = true});
        EXPECT_TRUE(ex.closedByHost);
        EXPECT_EQ(ex.received, "");
    }
    // Outer TPDU length that disagrees with the inner one.
    std::string badTpdu = tpduFrame("CHK", "OPERATOR", request("1"));
    badTpdu[kTpduPrefix + 3] = static_cast<char>(badTpdu[kTpduPrefix + 3] + 1);
    EXPECT_EQ(roundTrip(host().port("gw"), badTpdu).received, "");

    EXPECT_EQ(roundTrip(port, plainFrame(request("9"))).received,
              plainFrame(defaultReply("9", "000001")));
    for (const Case& c : cases) EXPECT_TRUE(logHas("main REJECT")) << c.reason;
    for (const Case& c : cases) EXPECT_TRUE(logHas(c.reason)) << c.reason;
    EXPECT_TRUE(logHas("gw REJECT inner length"));
    EXPECT_EQ(host().records().size(), 1u);
}

}  // namespace
}  // namespace vtx::hostsim::test
