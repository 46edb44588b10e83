// The terminal frames: lengths in both data types and any digit count, the
// reply frame's count, error replies and the logon request.
#include <gtest/gtest.h>

#include "vtx/linkagent/TerminalFrame.h"

namespace vtx::linkagent {
namespace {

const TerminalFraming kN4{DataType::Numeric, 4};
const TerminalFraming kN6{DataType::Numeric, 6};
const TerminalFraming kN2{DataType::Numeric, 2};
const TerminalFraming kBinary{DataType::Binary, 4};

TEST(TerminalFrame, NumericLengthIsDigitsAfterOptionalBlanks) {
    EXPECT_EQ(lengthFieldSize(kN4), 4u);
    EXPECT_EQ(lengthFieldSize(kN6), 6u);
    EXPECT_EQ(parseLengthField(kN4, "0119"), 119u);
    EXPECT_EQ(parseLengthField(kN6, "003087"), 3087u);
    EXPECT_EQ(parseLengthField(kN4, "  42"), 42u);
    EXPECT_EQ(parseLengthField(kN4, "12a4"), std::nullopt);
    EXPECT_EQ(parseLengthField(kN4, "-163"), std::nullopt);
    EXPECT_EQ(parseLengthField(kN4, "    "), std::nullopt);
    EXPECT_EQ(parseLengthField(kN4, "011"), std::nullopt);  // wrong field size
}

TEST(TerminalFrame, BinaryLengthIsLowByteFirst) {
    EXPECT_EQ(lengthFieldSize(kBinary), 2u);
    EXPECT_EQ(parseLengthField(kBinary, std::string("\x77\x00", 2)), 0x77u);
    EXPECT_EQ(parseLengthField(kBinary, std::string("\x0F\x0C", 2)), 0x0C0Fu);
    EXPECT_EQ(parseLengthField(kBinary, std::string("\xFF\xFF", 2)), 0xFFFFu);
}

TEST(TerminalFrame, ReplyCountsRouteAndFramedReply) {
    const std::string framed = "0005HELLO";
    // With four digits the reply is exactly the TPDU frame of the reply.
    EXPECT_EQ(replyFrame(kN4, "CHKOPA     ", framed), "0020CHKOPA     0005HELLO");
    EXPECT_EQ(replyFrame(kN6, "CHKOPA     ", framed), "000020CHKOPA     0005HELLO");
    EXPECT_EQ(replyFrame(kBinary, "ADMOPB     ", framed),
              std::string("\x14\x00", 2) + "ADMOPB     0005HELLO");
    std::string big = "3072" + std::string(3072, 'x');
    auto frame = replyFrame(kBinary, "ATT12345678", big);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->substr(0, 2), std::string("\x0F\x0C", 2));  // 3087
}

TEST(TerminalFrame, ReplyTooLongForItsDigitsIsNotFramed) {
    EXPECT_EQ(replyFrame(kN2, "CHKOPA     ", "0084" + std::string(84, 'r')),
              "99CHKOPA     0084" + std::string(84, 'r'));
    EXPECT_EQ(replyFrame(kN2, "CHKOPA     ", "0085" + std::string(85, 'r')), std::nullopt);
}

TEST(TerminalFrame, LogonRequestIsLoginBeforeTheFirstBar) {
    EXPECT_TRUE(isLogonRequest("LOGIN|"));
    EXPECT_TRUE(isLogonRequest("LOGIN|OPA|x"));
    EXPECT_FALSE(isLogonRequest("LOGIN"));
    EXPECT_FALSE(isLogonRequest("login|"));
    EXPECT_FALSE(isLogonRequest("XLOGIN|"));
    EXPECT_FALSE(isLogonRequest("CHKOPA     0006LOGIN|"));
}

TEST(TerminalFrame, LogonRequestCarriesTheLengthOfEachFraming) {
    EXPECT_EQ(logonRequest(kN4), "0006LOGIN|");
    EXPECT_EQ(logonRequest(kN6), "000006LOGIN|");
    EXPECT_EQ(logonRequest(TerminalFraming{DataType::Numeric, 1}), "6LOGIN|");
    EXPECT_EQ(logonRequest(kBinary), std::string("\x06\x00LOGIN|", 8));
}

}  // namespace
}  // namespace vtx::linkagent
