#include "vtx/platform/IniFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "TestRoot.h"
#include "vtx/platform/FileSnapshot.h"

namespace vtx::platform {
namespace {

TEST(IniParseTest, FirstSectionAndFirstKeyWinWithoutRegardToCase) {
    IniDocument doc = IniDocument::parse(
        "orphan=ignored\r\n"
        "[Main]\r\n"
        "Port=1\r\n"
        "PORT=2\r\n"
        "[main]\r\n"
        "Port=3\r\n"
        "Extra=4\r\n");
    EXPECT_EQ(doc.find("MAIN", "port"), "1");
    EXPECT_EQ(doc.find("main", "Extra"), std::nullopt);  // only the first [Main] counts
    EXPECT_EQ(doc.find("", "orphan"), std::nullopt);
    EXPECT_EQ(doc.sectionNames(), (std::vector<std::string>{"Main"}));
}

TEST(IniParseTest, TrimsValuesAndRemovesOnePairOfQuotes) {
    IniDocument doc = IniDocument::parse(
        "  [ Sec ]  trailing\n"
        "\t a key \t=\t  spaced value \t\n"
        "dq=\"  kept  \"\n"
        "sq='x'\n"
        "nested=\"\"a\"\"\n"
        "mixed=\"a'\n"
        "one=\"\n"
        "eq=a=b\n"
        "; comment=no\n"
        "noequals\n"
        "empty=\n");
    EXPECT_EQ(doc.find("sec", "A KEY"), "spaced value");
    EXPECT_EQ(doc.find("Sec", "dq"), "  kept  ");
    EXPECT_EQ(doc.find("Sec", "sq"), "x");
    EXPECT_EQ(doc.find("Sec", "nested"), "\"a\"");
    EXPECT_EQ(doc.find("Sec", "mixed"), "\"a'");
    EXPECT_EQ(doc.find("Sec", "one"), "\"");
    EXPECT_EQ(doc.find("Sec", "eq"), "a=b");
    EXPECT_EQ(doc.find("Sec", "; comment"), std::nullopt);
    EXPECT_EQ(doc.find("Sec", "noequals"), std::nullopt);
    EXPECT_EQ(doc.find("Sec", "empty"), "");
    EXPECT_EQ(doc.getString("Sec", "missing", "def"), "def");
    EXPECT_EQ(doc.getString("Sec", "a key", "", 6), "spaced");
}

TEST(IniParseTest, IntegersInTheWindowsManner) {
    IniDocument doc = IniDocument::parse(
        "[N]\na=50x\nb=abc\nc=\nd=-12\ne=+7\nf=0x1F\ng=99999999999999999999999\n"
        "h=-99999999999999999999999\n");
    EXPECT_EQ(doc.getInt("N", "a", 9), 50);
    EXPECT_EQ(doc.getInt("N", "b", 9), 0);
    EXPECT_EQ(doc.getInt("N", "c", 9), 0);
    EXPECT_EQ(doc.getInt("N", "d", 9), -12);
    EXPECT_EQ(doc.getInt("N", "e", 9), 7);
    EXPECT_EQ(doc.getInt("N", "f", 9), 0);
    EXPECT_EQ(doc.getInt("N", "g", 9), std::numeric_limits<long>::max());
    EXPECT_EQ(doc.getInt("N", "h", 9), std::numeric_limits<long>::min());
    EXPECT_EQ(doc.getInt("N", "missing", 9), 9);
}

class IniFileTest : public ::testing::Test {
protected:
    std::string file(const char* rel) const { return *root_.readFile(rel); }
    ino_t inode(const char* rel) const {
        struct stat st {};
        EXPECT_EQ(::stat(root_.native(rel).c_str(), &st), 0);
        return st.st_ino;
    }

    test::TempRoot root_;
};

TEST_F(IniFileTest, MissingFileGivesDefaults) {
    EXPECT_EQ(iniGetString("C:\\Nowhere\\x.ini", "S", "k", "def"), "def");
    EXPECT_EQ(iniGetInt("absent.ini", "S", "k", -5), -5);
    EXPECT_TRUE(iniSectionNames("absent.ini").empty());
}

TEST_F(IniFileTest, ReadsThroughCaseInsensitivePaths) {
    root_.writeFile("C/Vantrix/Core.ini", "[A]\r\nk=v\r\n[B]\r\n[a]\r\n");
    EXPECT_EQ(iniGetString("c:\\VANTRIX\\CORE.INI", "a", "K", ""), "v");
    EXPECT_EQ(iniSectionNames("C:\\Vantrix\\Core.ini"), (std::vector<std::string>{"A", "B"}));
    root_.writeFile("C/Windows/Bare.ini", "[S]\nn=17\n");
    EXPECT_EQ(iniGetInt("bare.INI", "s", "N", 0), 17);
}

TEST_F(IniFileTest, WriteKeepsEveryOtherLineByteForByte) {
    const std::string before =
        "; header comment\r\n"
        "[First]\r\n"
        "  Key = old value ; not a comment\r\n"
        "other=1\n"
        "\r\n"
        "[Second]   \r\n"
        "\tspaced\t=\tx\r\n"
        "junk line without equals\r\n"
        "last=z";
    root_.writeFile("C/cfg/t.ini", before);
    ASSERT_TRUE(iniWriteString("C:\\cfg\\t.ini", "FIRST", "key", "new"));
    std::string expected = before;
    expected.replace(expected.find("  Key = old value ; not a comment"), 33, "Key=new");
    EXPECT_EQ(file("C/cfg/t.ini"), expected);

    // A new key goes after the section's last entry, before blank lines.
    ASSERT_TRUE(iniWriteString("C:\\cfg\\t.ini", "first", "Added", ""));
    expected.insert(expected.find("other=1\n") + 8, "Added=\r\n");
    EXPECT_EQ(file("C/cfg/t.ini"), expected);

    // Adding after an unterminated last line terminates it first.
    ASSERT_TRUE(iniWriteString("C:\\cfg\\t.ini", "Second", "tail", "1"));
    expected += "\r\ntail=1\r\n";
    EXPECT_EQ(file("C/cfg/t.ini"), expected);
    EXPECT_EQ(iniGetString("C:\\cfg\\t.ini", "second", "TAIL", ""), "1");

    // A file cut after the CR of its last line: the value stays as read.
    root_.writeFile("C/cfg/cut.ini", "[A]\r\nkey=[\r");
    ASSERT_EQ(iniGetString("C:\\cfg\\cut.ini", "A", "key", ""), "[");
    ASSERT_TRUE(iniWriteString("C:\\cfg\\cut.ini", "B", "other", "1"));
    EXPECT_EQ(file("C/cfg/cut.ini"), "[A]\r\nkey=[\r\n[B]\r\nother=1\r\n");
    EXPECT_EQ(iniGetString("C:\\cfg\\cut.ini", "A", "key", ""), "[");
}

TEST_F(IniFileTest, WriteCreatesFolderFileAndSection) {
    ASSERT_TRUE(iniWriteString("C:\\New\\Dir\\n.ini", "Sec", "k", "v"));
    EXPECT_EQ(file("C/New/Dir/n.ini"), "[Sec]\r\nk=v\r\n");
    ASSERT_TRUE(iniWrite("C:\\New\\Dir\\n.ini", {{"Other", "a", "1"}, {"Other", "b", "2"}}));
    EXPECT_EQ(file("C/New/Dir/n.ini"), "[Sec]\r\nk=v\r\n[Other]\r\na=1\r\nb=2\r\n");

    root_.writeFile("C/New/u.ini", "[A]\nx=1");
    ASSERT_TRUE(iniWriteString("C:\\New\\u.ini", "B", "y", "2"));
    EXPECT_EQ(file("C/New/u.ini"), "[A]\nx=1\r\n[B]\r\ny=2\r\n");
}

TEST_F(IniFileTest, DeletesKeysAndSections) {
    root_.writeFile("C/d.ini", "[A]\r\nx=1\r\ny=2\r\n; note\r\n[B]\r\nz=3\r\n[C]\r\nw=4\r\n");
    ASSERT_TRUE(iniWrite("C:\\d.ini", {{"a", "X", std::nullopt}}));
    EXPECT_EQ(file("C/d.ini"), "[A]\r\ny=2\r\n; note\r\n[B]\r\nz=3\r\n[C]\r\nw=4\r\n");
    ASSERT_TRUE(iniDeleteSection("C:\\d.ini", "b"));
    EXPECT_EQ(file("C/d.ini"), "[A]\r\ny=2\r\n; note\r\n[C]\r\nw=4\r\n");
    EXPECT_EQ(iniGetString("C:\\d.ini", "B", "z", "gone"), "gone");
}

TEST_F(IniFileTest, UnchangedContentLeavesTheFileAlone) {
    root_.writeFile("C/same.ini", "[A]\r\nk=v\r\n");
    ino_t before = inode("C/same.ini");
    ASSERT_TRUE(iniWriteString("C:\\same.ini", "A", "K", "v"));
    ASSERT_TRUE(iniWrite("C:\\same.ini", {{"A", "missing", std::nullopt}}));
    ASSERT_TRUE(iniDeleteSection("C:\\same.ini", "None"));
    EXPECT_EQ(inode("C/same.ini"), before);
    ASSERT_TRUE(iniWriteString("C:\\same.ini", "A", "K", "w"));
    EXPECT_NE(inode("C/same.ini"), before);
}

TEST_F(IniFileTest, WriteFailsWhenTheFolderCannotBeMade) {
    root_.writeFile("C/blocker", "a file, not a folder");
    EXPECT_FALSE(iniWriteString("C:\\blocker\\x.ini", "S", "k", "v"));
    EXPECT_EQ(file("C/blocker"), "a file, not a folder");
}

TEST_F(IniFileTest, ReadSeesEveryWriteThroughTheModule) {
    // Same size, written within the same clock tick: only a fresh read can
    // tell the values apart.
    for (int i = 0; i < 20; ++i) {
        std::string value = "v" + std::to_string(i % 10);
        ASSERT_TRUE(iniWriteString("C:\\c.ini", "S", "k", value));
        ASSERT_EQ(iniGetString("C:\\c.ini", "S", "k", ""), value);
    }
}

TEST_F(IniFileTest, ReadSeesRewritesFromOutside) {
    root_.writeFile("C/ext.ini", "");
    for (int i = 0; i < 10; ++i) {
        std::string value = "value" + std::to_string(i);
        {
            std::ofstream out(root_.native("C/ext.ini"), std::ios::binary | std::ios::trunc);
            out << "[S]\r\nk=" << value << "\r\n";
        }
        ASSERT_EQ(iniGetString("C:\\ext.ini", "S", "k", ""), value);
    }
}

TEST_F(IniFileTest, SettledFileServedFromCacheStillSeesChanges) {
    root_.writeFile("C/old.ini", "[S]\r\nk=aaaa\r\n");
    // Age the file so that its parsed form is kept.
    timespec times[2] = {{0, UTIME_OMIT}, {1'000'000'000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, root_.native("C/old.ini").c_str(), times, 0), 0);
    auto first = loadIni("C:\\old.ini");
    EXPECT_EQ(first, loadIni("C:\\old.ini"));  // cached
    EXPECT_EQ(first->find("S", "k"), "aaaa");
    root_.writeFile("C/old.ini", "[S]\r\nk=bbbb\r\n");
    EXPECT_EQ(iniGetString("C:\\old.ini", "S", "k", ""), "bbbb");
    EXPECT_EQ(first->find("S", "k"), "aaaa");  // a loaded document never changes
}

}  // namespace
}  // namespace vtx::platform

TEST(FileSnapshot, FollowsEveryRewriteAndMissingFiles) {
    vtx::test::TempRoot root;
    EXPECT_EQ(vtx::platform::loadFileSnapshot("C:\\Vantrix\\VXIFCLI.BIN"), nullptr);
    root.writeFile("C/Vantrix/vxifcli.bin", "first");
    auto first = vtx::platform::loadFileSnapshot("C:\\Vantrix\\VXIFCLI.BIN");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(*first, "first");
    // Rewritten at once with the same size: the next read sees it.
    root.writeFile("C/Vantrix/vxifcli.bin", "again");
    EXPECT_EQ(*vtx::platform::loadFileSnapshot("C:\\Vantrix\\VXIFCLI.BIN"), "again");
}

TEST(IniWrite, ValueAlreadyPresentLeavesTheFileUntouched) {
    vtx::test::TempRoot root;
    ASSERT_TRUE(vtx::platform::iniWriteString("SOCKET.BIN", "TRACE", "IP1 x", "OPA"));
    struct stat before {};
    ASSERT_EQ(::stat(root.native("C/Windows/SOCKET.BIN").c_str(), &before), 0);
    ASSERT_TRUE(vtx::platform::iniWriteString("SOCKET.BIN", "trace", "ip1 x", "OPA"));
    struct stat after {};
    ASSERT_EQ(::stat(root.native("C/Windows/SOCKET.BIN").c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    ASSERT_TRUE(vtx::platform::iniWriteString("SOCKET.BIN", "TRACE", "IP1 x", "OPB"));
    EXPECT_EQ(vtx::platform::iniGetString("SOCKET.BIN", "TRACE", "IP1 x", ""), "OPB");
}
