// Requests in every framing and cipher the host reads, and the replies it
// frames back.
#include <string>

#include "DesFrame.h"
#include "Frames.h"
#include "HostFixture.h"
#include "MasterKey.h"
#include "ShiftCipher.h"

namespace vtx::hostsim::test {
namespace {

using namespace vtx::wire;

class FramingTest : public HostFixture {};

TEST_F(FramingTest, PlainRequestIsLoggedAndAnsweredWithTheDefaultRule) {
    ASSERT_TRUE(startHost({hostPort("main")}));
    const std::string frame = plainFrame(request("4711"));

    Exchange ex = roundTrip(host().port("main"), frame);

    EXPECT_EQ(ex.received, plainFrame(defaultReply("4711", "000001")));
    EXPECT_TRUE(ex.closedByHost);
    auto records = host().records("main");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].raw, frame);
    EXPECT_EQ(records[0].message, request("4711"));
}

TEST_F(FramingTest, BinaryLengthIsLowByteFirstBothWays) {
    HostSimPort cfg = hostPort("bin", "binary");
    cfg.status = "05";
    ASSERT_TRUE(startHost({cfg}));
    // Over 255 bytes each way, so a swapped length byte order cannot pass.
    const std::string proc(300, '7');

    Exchange ex = roundTrip(host().port("bin"), binaryLengthFrame(request(proc)));

    EXPECT_EQ(ex.received, binaryLengthFrame(defaultReply(proc, "000001", "05")));
}

TEST_F(FramingTest, TpduReplyEchoesServiceAndOperatorCode) {
    ASSERT_TRUE(startHost({hostPort("gw", "tpdu")}));

    Exchange ex = roundTrip(host().port("gw"), tpduFrame("CHK", "OP123456", request("1")));

    EXPECT_EQ(ex.received, tpduFrame("CHK", "OP123456", defaultReply("1", "000001")));
    auto records = host().records("gw");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].message, request("1"));
}

TEST_F(FramingTest, GatewayTpduReplyEchoesTheTpduBytes) {
    HostSimPort cfg = hostPort("gwt", "gwtpdu");
    cfg.gatewayTpdu = "6000010000";
    ASSERT_TRUE(startHost({cfg}));
    const std::string tpdu = *hexToBytes("6000010000");

    Exchange ex = roundTrip(host().port("gwt"), gatewayTpduFrame(tpdu, request("2")));

    EXPECT_EQ(ex.received, gatewayTpduFrame(tpdu, defaultReply("2", "000001")));
}

TEST_F(FramingTest, ShiftCipherCoversTheWholeFrameWithThePortKey) {
    const int port = pickFreePort([](int p) { return shiftKeyForPort(p) != 0; });
    ASSERT_NE(port, 0);
    const int key = shiftKeyForPort(port);
    HostSimPort cfg = hostPort("shift");
    cfg.port = port;
    cfg.cript = 1;
    ASSERT_TRUE(startHost({cfg}));
    std::string frame = plainFrame(request("3"));
    shiftEncipher(frame.data(), frame.size(), key);

    Exchange ex = roundTrip(port, frame);

    std::string reply = ex.received;
    shiftDecipher(reply.data(), reply.size(), key);
    EXPECT_EQ(reply, plainFrame(defaultReply("3", "000001")));
    auto records = host().records("shift");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].raw, frame);  // as on the wire, enciphered
    EXPECT_EQ(records[0].message, request("3"));
}

TEST_F(FramingTest, DesFrameUsesTheConfiguredMasterKeyAndEchoesTheSerial) {
    HostSimPort cfg = hostPort("des");
    cfg.cript = 2;
    cfg.masterKey = "\\01\\23EFGH\\9a";
    ASSERT_TRUE(startHost({cfg}));
    DesKey master{};
    decodeMasterKey(cfg.masterKey, master);
    const char serial[8] = {'S', 'E', 'R', '0', '0', '0', '4', '2'};

    Exchange ex =
        roundTrip(host().port("des"), buildDesFrame(master, serial, plainFrame(request("4"))));

    ASSERT_GE(ex.received.size(), kDesHeaderSize);
    auto* header = reinterpret_cast<uint8_t*>(ex.received.data());
    EXPECT_EQ(ex.received.substr(2, 8), std::string(serial, 8));
    ASSERT_EQ(desPayloadLength(header), ex.received.size() - kDesHeaderSize);
    std::string payload = ex.received.substr(kDesHeaderSize);
    decipherDesPayload(desSessionKey(master, header), reinterpret_cast<uint8_t*>(payload.data()),
                       payload.size());
    EXPECT_EQ(payload, plainFrame(defaultReply("4", "000001")));

    // The same request under the default key does not decipher: rejected, unanswered.
    Exchange wrongKey = roundTrip(
        host().port("des"), buildDesFrame(kDefaultMasterKey, serial, plainFrame(request("5"))));
    EXPECT_EQ(wrongKey.received, "");
}

TEST_F(FramingTest, NsuGrowsAcrossRequestsAndPorts) {
    ASSERT_TRUE(startHost({hostPort("a"), hostPort("b", "binary")}));

    EXPECT_EQ(roundTrip(host().port("a"), plainFrame(request("1"))).received,
              plainFrame(defaultReply("1", "000001")));
    EXPECT_EQ(roundTrip(host().port("b"), binaryLengthFrame(request("2"))).received,
              binaryLengthFrame(defaultReply("2", "000002")));
    EXPECT_EQ(roundTrip(host().port("a"), plainFrame(request("3"))).received,
              plainFrame(defaultReply("3", "000003")));
}

TEST_F(FramingTest, LoginAndFixedReplyTemplate) {
    HostSimPort fixed = hostPort("fixed");
    fixed.reply = "000-000=${CODE}1;011-000=${PROC};012-000=${NSU};${OTHER};";
    ASSERT_TRUE(startHost({hostPort("main"), fixed}));

    EXPECT_EQ(roundTrip(host().port("main"), plainFrame("LOGIN|shop|7")).received,
              plainFrame("LOGIN|OK"));
    EXPECT_EQ(roundTrip(host().port("fixed"), plainFrame(request("88"))).received,
              plainFrame("000-000=02001;011-000=88;012-000=000001;${OTHER};"));
    // No fields to fill in: they become empty.
    EXPECT_EQ(roundTrip(host().port("fixed"), plainFrame("hello")).received,
              plainFrame("000-000=1;011-000=;012-000=000002;${OTHER};"));
}

TEST_F(FramingTest, ServesIpv6Loopback) {
    HostSimPort cfg = hostPort("v6");
    cfg.bind = "::1";
    host_ = std::make_unique<HostSimProcess>(folder_.path(), std::vector<HostSimPort>{cfg});
    if (!host_->start()) GTEST_SKIP() << "no IPv6 loopback here: " << host_->error();

    Exchange ex = roundTrip(host().port("v6"), plainFrame(request("6")), {.address = "::1"});

    EXPECT_EQ(ex.received, plainFrame(defaultReply("6", "000001")));
}

}  // namespace
}  // namespace vtx::hostsim::test
