// A received table swapped in: the old version kept as .OLD, mode 0600,
// the CRC of what was written, an abandoned one leaving nothing behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TableReplacement.h"
#include "TestRoot.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent::download {
namespace {

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 0777;
}

TEST(TableReplacement, CommitKeepsThePreviousVersionAsOldAndIsPrivate) {
    vtx::test::TempRoot root;
    root.writeFile("T.BIN", "old");
    root.writeFile("T.BIN.OLD", "older");
    TableReplacement r(root.native("T.BIN"));
    ASSERT_TRUE(r.open());
    ASSERT_TRUE(r.write("1234"));
    ASSERT_TRUE(r.write("56789"));
    EXPECT_EQ(r.crc(), 0x0376E6E7u);
    EXPECT_EQ(r.bytes(), 9);
    EXPECT_EQ(root.readFile("T.BIN"), "old");  // untouched until commit
    ASSERT_TRUE(r.commit());
    EXPECT_EQ(root.readFile("T.BIN"), "123456789");
    EXPECT_EQ(root.readFile("T.BIN.OLD"), "old");
    EXPECT_EQ(modeOf(root.native("T.BIN")), 0600u);
    EXPECT_EQ(platform::findFiles(root.path(), "*"),
              (std::vector<std::string>{"T.BIN", "T.BIN.OLD"}));
}

// What commits killed between their steps left: the second name a commit
// made for .OLD, and a .OLD that is already the target's other name.
TEST(TableReplacement, CommitClearsTheLinksKilledCommitsLeft) {
    vtx::test::TempRoot root;
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    root.writeFile("T.BIN", "current");
    const std::string stale = ".T.BIN.OLD." + std::to_string(dead) + ".0.tmp";
    ASSERT_EQ(::link(root.native("T.BIN").c_str(), root.native(stale).c_str()), 0);
    ASSERT_EQ(::link(root.native("T.BIN").c_str(), root.native("T.BIN.OLD").c_str()), 0);
    TableReplacement r(root.native("T.BIN"));
    ASSERT_TRUE(r.open());
    ASSERT_TRUE(r.write("next"));
    ASSERT_TRUE(r.commit());
    EXPECT_EQ(root.readFile("T.BIN"), "next");
    EXPECT_EQ(root.readFile("T.BIN.OLD"), "current");
    EXPECT_EQ(platform::findFiles(root.path(), ".*"), std::vector<std::string>{});
}

TEST(TableReplacement, CreatesAMissingFolderAndAbandonLeavesNothing) {
    vtx::test::TempRoot root;
    {
        TableReplacement r(root.native("A/B/N.TXT"));
        ASSERT_TRUE(r.open());
        ASSERT_TRUE(r.write("x"));
    }
    EXPECT_EQ(platform::findFiles(root.native("A/B"), "*"), std::vector<std::string>{});
    EXPECT_EQ(platform::findFiles(root.native("A/B"), ".*"), std::vector<std::string>{});
    TableReplacement r(root.native("A/B/N.TXT"));
    ASSERT_TRUE(r.open());
    ASSERT_TRUE(r.commit());
    EXPECT_EQ(root.readFile("A/B/N.TXT"), "");
    EXPECT_FALSE(root.readFile("A/B/N.TXT.OLD"));
}

}  // namespace
}  // namespace vtx::linkagent::download
