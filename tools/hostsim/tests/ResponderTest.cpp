// The reply rules and the log renderings, without a socket.
#include <gtest/gtest.h>

#include "FieldMessage.h"
#include "LogText.h"
#include "NsuCounter.h"
#include "PortConfig.h"
#include "Responder.h"

namespace vtx::hostsim::test {
namespace {

TEST(FieldMessageTest, FindsTheFirstFieldWithExactlyThatKey) {
    FieldMessage m("000-0001=x;000-000=0200;broken;011-000=;000-000=0400");
    EXPECT_EQ(m.field("000-000"), "0200");
    EXPECT_EQ(m.field("011-000"), "");
    EXPECT_FALSE(m.field("009-000"));
    EXPECT_FALSE(FieldMessage("").field("000-000"));
    EXPECT_EQ(FieldMessage("a=b=c").field("a"), "b=c");
}

TEST(ResponderTest, DefaultRuleLeavesOutFieldsTheRequestLacks) {
    NsuCounter nsu;
    PortConfig config;
    config.status = "51";
    Responder responder = Responder::forPort(config, nsu);

    EXPECT_EQ(responder.answer("011-000=7;"), "011-000=7;009-000=51;012-000=000001;");
    EXPECT_EQ(responder.answer("garbage"), "009-000=51;012-000=000002;");
    EXPECT_EQ(responder.answer("LOGIN|x"), "LOGIN|OK");
    EXPECT_EQ(responder.answer(""), "009-000=51;012-000=000003;");
}

TEST(ResponderTest, FixedReplyKeepsUnknownAndUnfinishedPlaceholders) {
    NsuCounter nsu;
    PortConfig config;
    config.reply = "${NSU}|${X}|${CODE}|${PROC";
    Responder responder = Responder::forPort(config, nsu);

    EXPECT_EQ(responder.answer("000-000=0200;"), "000001|${X}|0200|${PROC");
}

TEST(NsuCounterTest, WrapsFrom999999BackTo1) {
    NsuCounter nsu;
    std::string last;
    for (int i = 0; i < 999999; ++i) last = nsu.next();
    EXPECT_EQ(last, "999999");
    EXPECT_EQ(nsu.next(), "000001");
}

TEST(LogTextTest, EscapesEveryByteThatWouldNotReadBack) {
    EXPECT_EQ(printableText(std::string("A \\~\x7F\x1F\xE7\0", 8)), "A \\x5C~\\x7F\\x1F\\xE7\\x00");
    EXPECT_EQ(hexBytes(std::string("\x00\xAB\x7F", 3)), "00AB7F");
}

}  // namespace
}  // namespace vtx::hostsim::test
