// Case-insensitive names: ASCII letters fold, every other byte (digits,
// punctuation, Windows-1252 letters above 0x7F) compares as it is.
#include <gtest/gtest.h>

#include "vtx/platform/AsciiCase.h"

namespace vtx::platform {
namespace {

TEST(AsciiCaseTest, FoldsAsciiLettersOnly) {
    EXPECT_EQ(toLowerAscii('A'), 'a');
    EXPECT_EQ(toLowerAscii('Z'), 'z');
    EXPECT_EQ(toUpperAscii('a'), 'A');
    EXPECT_EQ(toUpperAscii('z'), 'Z');
    // The neighbours of the letter ranges and bytes above 0x7F stay.
    for (char c : {'@', '[', '`', '{', '0', '\\', '\xC9', '\xE9', '\xE7'}) {
        EXPECT_EQ(toLowerAscii(c), c);
        EXPECT_EQ(toUpperAscii(c), c);
    }
}

TEST(AsciiCaseTest, ComparesWholeNamesWithoutRegardToCase) {
    EXPECT_TRUE(equalsIgnoreCase("VXTb_Opr.txt", "vxtb_OPR.TXT"));
    EXPECT_TRUE(equalsIgnoreCase("", ""));
    EXPECT_FALSE(equalsIgnoreCase("CORE.INI", "CORE.IN"));
    EXPECT_FALSE(equalsIgnoreCase("CORE.INI", "CORE_INI"));
    // "É" and "é" in Windows-1252 are different bytes, and stay different.
    EXPECT_FALSE(equalsIgnoreCase("CAF\xC9", "caf\xE9"));
}

TEST(AsciiCaseTest, FindsSuffixesAndParts) {
    EXPECT_TRUE(endsWithIgnoreCase("VX32_PIN.DLL", ".dll"));
    EXPECT_TRUE(endsWithIgnoreCase(".dll", ".DLL"));
    EXPECT_FALSE(endsWithIgnoreCase("dll", ".dll"));
    EXPECT_FALSE(endsWithIgnoreCase("VX32_PIN.DLX", ".dll"));

    EXPECT_TRUE(containsIgnoreCase("DIPIRONA 500MG 20CP", "pirona"));
    EXPECT_TRUE(containsIgnoreCase("DIPIRONA", "dipirona"));
    EXPECT_TRUE(containsIgnoreCase("DIPIRONA", "A"));  // the last place counts
    EXPECT_TRUE(containsIgnoreCase("anything", ""));
    EXPECT_FALSE(containsIgnoreCase("DIPIRONA", "dipironas"));
    EXPECT_FALSE(containsIgnoreCase("", "a"));
}

}  // namespace
}  // namespace vtx::platform
