#include "vtx/platform/Cp1252.h"

#include <gtest/gtest.h>

namespace vtx::platform {
namespace {

TEST(Cp1252Test, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    std::string utf8 = cp1252ToUtf8(all);
    EXPECT_EQ(utf8ToCp1252(utf8, '#'), all);
}

TEST(Cp1252Test, MapsTheHighControlRange) {
    EXPECT_EQ(cp1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(cp1252ToUtf8("\x85\x99\x9F"), "\u2026\u2122\u0178");
    EXPECT_EQ(cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(cp1252ToUtf8("A\xE9\xFF"), "A\u00E9\u00FF");
    EXPECT_EQ(utf8ToCp1252("\u20AC \u0160\u017E"), "\x80 \x8A\x9E");
}

TEST(Cp1252Test, UnmappableAndMalformedInputBecomesReplacement) {
    EXPECT_EQ(utf8ToCp1252("a\u4E2Db"), "a?b");
    EXPECT_EQ(utf8ToCp1252("\u0080"), "?");  // C1 control that 1252 defines otherwise
    EXPECT_EQ(utf8ToCp1252("\U0001F600", '_'), "_");
    EXPECT_EQ(utf8ToCp1252("x\xE2\x82"), "x?");  // truncated sequence: one replacement
    EXPECT_EQ(utf8ToCp1252("\xC0\xAF"), "??");   // overlong
    EXPECT_EQ(utf8ToCp1252("\xE2\x82y"), "?y");
    EXPECT_EQ(utf8ToCp1252("\xF5\x80"), "??");
}

}  // namespace
}  // namespace vtx::platform
