#include "core/NumericText.h"

#include <gtest/gtest.h>

namespace vtx::client {
namespace {

TEST(NumericText, ValueOfReadsTheLeadingNumber) {
    EXPECT_EQ(valueOf(u"30"), 30);
    EXPECT_EQ(valueOf(u" 12abc"), 12);
    EXPECT_EQ(valueOf(u" 0 5"), 5);
    EXPECT_EQ(valueOf(u"-3"), -3);
    EXPECT_EQ(valueOf(u"abc"), 0);
    EXPECT_EQ(valueOf(u""), 0);
    EXPECT_EQ(valueOf(u"??"), 0);
    EXPECT_DOUBLE_EQ(valueOf(u"1.5x"), 1.5);
    EXPECT_DOUBLE_EQ(valueOf(u"1,5"), 1);  // a comma ends the number
    EXPECT_DOUBLE_EQ(valueOf(u"2E3"), 2000);
}

TEST(NumericText, IntegersRoundHalfToEvenAndRefuseOverflow) {
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_EQ(toInt16(32768), std::nullopt);
    EXPECT_EQ(toInt32(2147483647), 2147483647);
    EXPECT_EQ(toInt32(valueOf(u"99999999999")), std::nullopt);
    EXPECT_EQ(toInt32(valueOf(u"9E999")), std::nullopt);
}

}  // namespace
}  // namespace vtx::client
