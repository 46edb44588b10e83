#include "vtx/platform/Paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "TestRoot.h"

namespace vtx::platform {
namespace {

class PathsTest : public ::testing::Test {
protected:
    test::TempRoot root_;
};

TEST_F(PathsTest, MapsDriveLettersAndSeparators) {
    const std::string r = root_.path();
    EXPECT_EQ(toNative("C:\\Vantrix\\CORE.INI"), r + "/C/Vantrix/CORE.INI");
    EXPECT_EQ(toNative("c:/x"), r + "/C/x");
    EXPECT_EQ(toNative("d:\\\\a\\\\b\\"), r + "/D/a/b");
    EXPECT_EQ(toNative("C:"), r + "/C");
    EXPECT_EQ(toNative("/usr//lib/"), "/usr/lib");
    EXPECT_EQ(toNative("rel\\dir\\f.txt"), "rel/dir/f.txt");
    EXPECT_EQ(toNative("/"), "/");
}

TEST_F(PathsTest, RootAndWindowsDirectoryFollowTheEnvironment) {
    EXPECT_EQ(vtxRoot(), root_.path());
    EXPECT_EQ(windowsDirectory(), root_.path() + "/C/Windows");
    ::setenv("VTX_WINDIR", "D:\\WinNT", 1);
    EXPECT_EQ(windowsDirectory(), root_.path() + "/D/WinNT");
    ::setenv("VTX_WINDIR", "/opt/win/", 1);
    EXPECT_EQ(windowsDirectory(), "/opt/win");
    ::unsetenv("VTX_WINDIR");
    ::setenv("VTX_ROOT", "", 1);
    EXPECT_EQ(vtxRoot(), "/var/lib/vantorix");
}

TEST_F(PathsTest, ResolveFindsExistingComponentsWithoutRegardToCase) {
    root_.writeFile("C/Data/VXTb_Opr.txt", "x");
    EXPECT_EQ(resolve("C:\\DATA\\VXTb_opr.txt"), root_.native("C/Data/VXTb_Opr.txt"));
    EXPECT_EQ(resolve("c:/data/vxtb_opr.TXT"), root_.native("C/Data/VXTb_Opr.txt"));
    // Missing components keep the spelling given, after the existing part.
    EXPECT_EQ(resolve("C:\\data\\New\\File.TXT"), root_.native("C/Data/New/File.TXT"));
    EXPECT_EQ(resolve("C:\\data\\VXTB_OPR.TXT\\below"), root_.native("C/Data/VXTb_Opr.txt/below"));
}

TEST_F(PathsTest, ResolvePrefersExactThenFirstInByteOrder) {
    root_.writeFile("C/d/abc", "1");
    root_.writeFile("C/d/ABC", "2");
    root_.writeFile("C/d/aBc", "3");
    EXPECT_EQ(resolve("C:\\d\\abc"), root_.native("C/d/abc"));
    EXPECT_EQ(resolve("C:\\d\\aBc"), root_.native("C/d/aBc"));
    EXPECT_EQ(resolve("C:\\d\\Abc"), root_.native("C/d/ABC"));
}

TEST_F(PathsTest, ProfilePathPutsBareNamesInTheWindowsDirectory) {
    root_.writeFile("C/WINDOWS/Win.ini", "");
    EXPECT_EQ(profilePath("WIN.INI"), root_.native("C/WINDOWS/Win.ini"));
    EXPECT_EQ(profilePath("new.ini"), root_.native("C/WINDOWS/new.ini"));
    EXPECT_EQ(profilePath("C:\\Other\\a.ini"), root_.native("C/Other/a.ini"));
}

TEST(PathJoinTest, JoinsWithOneSeparator) {
    EXPECT_EQ(joinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(joinPath("/a", "/b"), "/a/b");
    EXPECT_EQ(joinPath("/", "b"), "/b");
    EXPECT_EQ(joinPath("", "b"), "b");
    EXPECT_EQ(joinPath("/a", ""), "/a");
}

TEST(WildcardTest, MatchesWholeNamesWithoutRegardToCase) {
    EXPECT_TRUE(wildcardMatch("UP.S??", "up.s01"));
    EXPECT_FALSE(wildcardMatch("UP.S??", "UP.S1"));
    EXPECT_FALSE(wildcardMatch("UP.S??", "UP.S012"));
    EXPECT_TRUE(wildcardMatch("*", ""));
    EXPECT_TRUE(wildcardMatch("*.ini", "Core.INI"));
    EXPECT_FALSE(wildcardMatch("*.ini", "Core.ini.bak"));
    EXPECT_TRUE(wildcardMatch("a*b*c", "aXbYbZc"));
    EXPECT_FALSE(wildcardMatch("a*b*c", "aXbYbZ"));
    EXPECT_TRUE(wildcardMatch("**x", "x"));
    EXPECT_FALSE(wildcardMatch("", "x"));
}

TEST_F(PathsTest, FindFilesListsMatchingRegularFilesInByteOrder) {
    root_.writeFile("C/In/up.s00", "");
    root_.writeFile("C/In/UP.S01", "");
    root_.writeFile("C/In/UP.S1", "");
    root_.writeFile("C/In/UP.SXYZ", "");
    ASSERT_EQ(::mkdir(root_.native("C/In/UP.S99").c_str(), 0755), 0);
    std::vector<std::string> expected{"UP.S01", "up.s00"};
    EXPECT_EQ(findFiles("c:\\in", "UP.S??"), expected);
    EXPECT_EQ(findFirstFile("C:\\IN", "up.s??"), root_.native("C/In/UP.S01"));
    EXPECT_TRUE(findFiles("C:\\Missing", "*").empty());
    EXPECT_FALSE(findFirstFile("C:\\In", "*.none"));
}

}  // namespace
}  // namespace vtx::platform
