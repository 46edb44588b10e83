// What `vtx` prints of a host's answer is masked: a host may send the card
// number back in a field, in its message and in the receipt lines, and the
// support person's console shows it as the station's traces do.
#include <gtest/gtest.h>

#include "CommandRun.h"
#include "DemoStation.h"

namespace {

const std::string kVtx = std::string(VTX_BIN_DIR) + "/vtx";
const std::string kCard = "6012345678901234";
const std::string kMasked = "601234******1234";

class EchoedCardTest : public ::testing::Test {
protected:
    void SetUp() override {
        vtx::hostsim::HostSimPort keys;
        keys.reply = "000-000=${CODE};009-000=00;012-000=${NSU};953-000=" + kCard +
                     ";030-000=CARTAO " + kCard + ";028-000=01;029-000=CARTAO " + kCard + ";";
        host_ = vtx::tool::test::startDemoStation(station_, "", keys);
    }

    vtx::cli::test::Station station_;
    std::unique_ptr<vtx::hostsim::HostSimProcess> host_;
};

TEST_F(EchoedCardTest, SendShowsTheReplyMasked) {
    const auto sent = vtx::tool::test::runCommand(
        kVtx + " send DEMO0001 CHK '000-000=0100;953-000=" + kCard + ";'");
    ASSERT_EQ(sent.status, 0) << sent.out;
    EXPECT_NE(sent.out.find("953-000=" + kMasked + ";030-000=CARTAO " + kMasked), std::string::npos)
        << sent.out;
    EXPECT_EQ(sent.out.find(kCard), std::string::npos) << sent.out;
}

TEST_F(EchoedCardTest, TransactionsShowTheAnswerItsMessageAndReceiptMasked) {
    const auto eleg = vtx::tool::test::runCommand(kVtx + " eleg --card " + kCard);
    ASSERT_EQ(eleg.status, 0) << eleg.out;
    EXPECT_NE(eleg.out.find("answer: 000-000=0100;009-000=00;"), std::string::npos) << eleg.out;
    // The host's message as the operator's box shows it, the field, the receipt.
    EXPECT_NE(eleg.out.find("] CARTAO " + kMasked), std::string::npos) << eleg.out;
    EXPECT_NE(eleg.out.find("030-000 = CARTAO " + kMasked), std::string::npos) << eleg.out;
    EXPECT_NE(eleg.out.find("  | CARTAO " + kMasked), std::string::npos) << eleg.out;
    EXPECT_EQ(eleg.out.find(kCard), std::string::npos) << eleg.out;
}

}  // namespace
