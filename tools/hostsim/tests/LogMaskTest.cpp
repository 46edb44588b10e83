// The request log as a shop keeps it: card numbers and tracks masked in the
// MSG line and in the RAW line, in every cipher, so that neither reading the
// text nor deciphering the logged bytes gives more than the first 6 and last
// 4 digits; and with --raw, the request exactly as it came.
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "CardMask.h"
#include "DesFrame.h"
#include "Frames.h"
#include "HostFixture.h"
#include "MasterKey.h"
#include "ShiftCipher.h"

namespace vtx::hostsim::test {
namespace {

using namespace vtx::wire;

constexpr const char* kCard = "6012345678901234";
const std::string kWithCard = "000-000=0100;011-000=800000;953-000=6012345678901234;";
const std::string kWithTrack =
    "000-000=0100;011-000=800000;953-000=6012345678901234=49121010000012345678;";

class LogMaskTest : public HostFixture {
protected:
    void SetUp() override { rawLog_ = false; }

    static bool holdsCard(const std::string& text) {
        return text.find(kCard) != std::string::npos ||
               text.find("78901234") != std::string::npos;
    }
};

TEST_F(LogMaskTest, PlainFrameIsLoggedWithTheCardMasked) {
    ASSERT_TRUE(startHost({hostPort("main")}));
    roundTrip(host().port("main"), plainFrame(kWithCard));
    roundTrip(host().port("main"), plainFrame(kWithTrack));

    auto records = host().records("main");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].message, "000-000=0100;011-000=800000;953-000=601234******1234;");
    EXPECT_EQ(records[0].raw, plainFrame(records[0].message));
    EXPECT_EQ(records[1].message, maskCardData(kWithTrack));
    EXPECT_EQ(records[1].raw, plainFrame(records[1].message));
    for (const std::string& line : host().logLines()) EXPECT_FALSE(holdsCard(line)) << line;
}

TEST_F(LogMaskTest, ShiftCipheredFrameDeciphersToTheMaskedText) {
    const int port = pickFreePort([](int p) { return shiftKeyForPort(p) != 0; });
    ASSERT_NE(port, 0);
    HostSimPort cfg = hostPort("shift");
    cfg.port = port;
    cfg.cript = 1;
    ASSERT_TRUE(startHost({cfg}));
    std::string frame = plainFrame(kWithTrack);
    shiftEncipher(frame.data(), frame.size(), shiftKeyForPort(port));
    roundTrip(port, frame);

    auto records = host().records("shift");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].message, maskCardData(kWithTrack));
    std::string logged = records[0].raw;
    shiftDecipher(logged.data(), logged.size(), shiftKeyForPort(port));
    EXPECT_EQ(logged, plainFrame(records[0].message));
}

TEST_F(LogMaskTest, DesFrameKeepsItsHeaderAndDeciphersToTheMaskedText) {
    HostSimPort cfg = hostPort("des");
    cfg.cript = 2;
    ASSERT_TRUE(startHost({cfg}));
    const char serial[8] = {'S', 'E', 'R', '0', '0', '0', '4', '2'};
    const std::string frame = buildDesFrame(kDefaultMasterKey, serial, plainFrame(kWithCard));
    roundTrip(host().port("des"), frame);

    auto records = host().records("des");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].message, "000-000=0100;011-000=800000;953-000=601234******1234;");
    const std::string& logged = records[0].raw;
    ASSERT_EQ(logged.size(), frame.size());
    EXPECT_EQ(logged.substr(0, kDesHeaderSize), frame.substr(0, kDesHeaderSize));
    std::string payload = logged.substr(kDesHeaderSize);
    decipherDesPayload(desSessionKey(kDefaultMasterKey,
                                     reinterpret_cast<const uint8_t*>(logged.data())),
                       reinterpret_cast<uint8_t*>(payload.data()), payload.size());
    EXPECT_EQ(payload, plainFrame(records[0].message));
}

TEST_F(LogMaskTest, RequestWithoutCardDataIsLoggedAsItCame) {
    ASSERT_TRUE(startHost({hostPort("main")}));
    // A product code (902) is a bar code, not a card number.
    const std::string frame = plainFrame("000-000=0100;011-000=800200;902-001=7891000100103;");
    roundTrip(host().port("main"), frame);

    auto records = host().records("main");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].raw, frame);
}

TEST_F(LogMaskTest, RawLogShowsTheCardAsReceivedToItsOwnerOnly) {
    rawLog_ = true;
    // A log left readable by others from an earlier run is closed to them.
    {
        std::ofstream old(folder_.path() + "/hostsim.log");
    }
    ::chmod((folder_.path() + "/hostsim.log").c_str(), 0644);
    ASSERT_TRUE(startHost({hostPort("main")}));
    roundTrip(host().port("main"), plainFrame(kWithTrack));

    auto records = host().records("main");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].message, kWithTrack);
    EXPECT_EQ(records[0].raw, plainFrame(kWithTrack));
    struct stat st {};
    ASSERT_EQ(::stat(host().logPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace vtx::hostsim::test
