// The request file read into its message, and the answer written back.
#include "vtx/linkagent/shellfile/ShellRequest.h"

#include <gtest/gtest.h>

namespace vtx::linkagent {
namespace {

TEST(ShellRequestTest, FieldLinesBecomeTheMessageWhateverTheLineEnds) {
    for (const char* text : {"000-000=0200\r\n011-000=003000\r\n", "000-000=0200\n011-000=003000",
                             "000-000=0200\r011-000=003000\r", "  000-000=0200 \r\n\r\n\t011-000=003000\n"}) {
        const ShellRequest r = parseShellRequest(text, "999-999");
        EXPECT_EQ(r.message, "000-000=0200;011-000=003000;") << text;
        EXPECT_EQ(r.framed(), "0028000-000=0200;011-000=003000;");
        EXPECT_EQ(r.problem, ShellRequest::Problem::None);
    }
}

TEST(ShellRequestTest, SpecialLines) {
    const ShellRequest r = parseShellRequest(
        "040-000 = OPA \r\nno equals here\r\n=leading\r\n000-000=0200\r\n999-999 FIM \r\n", "999-999");
    EXPECT_EQ(r.operatorCode, "OPA");
    EXPECT_EQ(r.message, "000-000=0200;");  // the operator, marker and bad lines are not sent
    ASSERT_TRUE(r.endMarker);
    EXPECT_EQ(*r.endMarker, "999-999 FIM");
    EXPECT_FALSE(r.cancel);

    EXPECT_TRUE(parseShellRequest("000-000=0200\r\n000-000=EXI\r\n", "999-999").cancel);
    EXPECT_FALSE(parseShellRequest("000-000=EXIT\r\n", "999-999").cancel);
    // No field at all: the bare length.
    EXPECT_EQ(parseShellRequest("", "999-999").framed(), "0000");
    EXPECT_EQ(parseShellRequest("just text\r\n", "999-999").framed(), "0000");
}

TEST(ShellRequestTest, LongLinesAreTakenWholeAndOversizedOrZeroBytesRefused) {
    // A 600-character field is one field, not two.
    const std::string value(592, 'A');
    const ShellRequest r = parseShellRequest("001-000=" + value + "\r\n002-000=B\r\n", "999-999");
    EXPECT_EQ(r.message, "001-000=" + value + ";002-000=B;");
    EXPECT_EQ(r.problem, ShellRequest::Problem::None);

    std::string big;
    for (int i = 0; i < 400; ++i) big += "001-000=XXXXXXXX\r\n";  // 7,200 bytes of fields
    EXPECT_EQ(parseShellRequest(big, "999-999").problem, ShellRequest::Problem::TooLong);
    // Exactly the longest message still goes.
    const std::string most = "001-000=" + std::string(kMostShellMessage - 9, 'x');
    EXPECT_EQ(parseShellRequest(most, "999-999").problem, ShellRequest::Problem::None);
    EXPECT_EQ(parseShellRequest(most + "y", "999-999").problem, ShellRequest::Problem::TooLong);

    EXPECT_EQ(parseShellRequest(std::string("001-000=A\0B\r\n", 13), "999-999").problem,
              ShellRequest::Problem::ZeroByte);
}

TEST(ShellRequestTest, AnswerLines) {
    EXPECT_EQ(answerLine("009-000=00"), "009-000 = 00");
    EXPECT_EQ(answerLine("009-000 = 163"), "009-000 = 163");
    EXPECT_EQ(answerLine("011-000=003000"), "011-000 = 003000");
    EXPECT_EQ(answerLine("short"), "short");
    EXPECT_EQ(answerText("000-000=0210;009-000=00;;", std::nullopt),
              "000-000 = 0210\r\n009-000 = 00\r\n");
    EXPECT_EQ(answerText("009-000=00;", std::string("999-999")), "009-000 = 00\r\n999-999\r\n");
    // Every field is taken: 25 characters of short fields give all six.
    EXPECT_EQ(answerText("a=1;b=2;c=3;d=4;e=5;f=6;x", std::nullopt),
              "a=1\r\nb=2\r\nc=3\r\nd=4\r\ne=5\r\nf=6\r\nx\r\n");
    EXPECT_EQ(failureBuffer(-163), "0013009-000 = 163;");
}

TEST(ShellRequestTest, AnswerLinesShowACardTheHostSendsBackMasked) {
    EXPECT_EQ(answerText("000-000=0210;953-000=6012345678901234;029-000=CARTAO 6012 3456 7890 1234;"
                         "949-000=6012345678905678=2812101;902-000=7890000000017;"
                         "012-000=000000000001;",
                         std::string("999-999")),
              "000-000 = 0210\r\n953-000 = 601234******1234\r\n029-000 = CARTAO 6012 34** **** 1234\r\n"
              "949-000 = 601234**********=***2101\r\n902-000 = 7890000000017\r\n"
              "012-000 = 000000000001\r\n999-999\r\n");
    EXPECT_EQ(failureBuffer(-5), "0013009-000 = 005;");
}

}  // namespace
}  // namespace vtx::linkagent
