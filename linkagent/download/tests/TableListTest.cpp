// The list file ATCARQ.BIN: entries read in key order, bad entries refused
// with their reason, paths that would leave the installation refused.
#include <gtest/gtest.h>

#include "TableList.h"
#include "TestRoot.h"

namespace vtx::linkagent::download {
namespace {

TEST(TableList, ReadsCountEntriesInOrderAndNamesMissingOnes) {
    vtx::test::TempRoot root;
    root.writeFile("ATCARQ.BIN",
                   "[LIST]\r\nCount=3\r\n0001=PROD*.TXT;120;0376E6E7;TAB\\SUB\r\n"
                   "0003=A.BIN;0;;\r\n");
    const auto list = readTableList(root.native("ATCARQ.BIN"));
    ASSERT_EQ(list.size(), 3u);
    ASSERT_TRUE(list[0].entry);
    EXPECT_EQ(list[0].key, "0001");
    EXPECT_EQ(list[0].entry->remoteName, "PROD*.TXT");
    EXPECT_EQ(list[0].entry->size, 120);
    EXPECT_EQ(list[0].entry->crc, "0376E6E7");
    EXPECT_EQ(list[0].entry->subfolder, "TAB\\SUB");
    EXPECT_FALSE(list[1].entry);
    EXPECT_EQ(list[1].problem, "ausente");
    ASSERT_TRUE(list[2].entry);
    EXPECT_EQ(list[2].entry->size, 0);
    EXPECT_EQ(list[2].entry->crc, "");
}

TEST(TableList, RefusesBadSizesCrcsAndNames) {
    std::string why;
    EXPECT_FALSE(parseTableEntry("A.BIN;-5;;", why));
    EXPECT_EQ(why, "tamanho [-5] invalido");
    EXPECT_FALSE(parseTableEntry("A.BIN;12x;;", why));
    EXPECT_FALSE(parseTableEntry("A.BIN;0;376E6E7;", why));
    EXPECT_EQ(why, "CRC [376E6E7] invalido");
    EXPECT_FALSE(parseTableEntry("A.BIN;0;0376E6EG;", why));
    EXPECT_FALSE(parseTableEntry("../A.BIN;0;;", why));
    EXPECT_FALSE(parseTableEntry("A\r\nDELE X;0;;", why));
    // Lower case parses (it never matches a computed CRC).
    EXPECT_TRUE(parseTableEntry("A.BIN;0;0376e6e7;", why));
}

TEST(TableList, SubfoldersStayInsideTheInstallation) {
    EXPECT_TRUE(safeSubfolder(""));
    EXPECT_TRUE(safeSubfolder("TAB"));
    EXPECT_TRUE(safeSubfolder("TAB\\SUB/X"));
    EXPECT_TRUE(safeSubfolder("..A"));
    EXPECT_FALSE(safeSubfolder("/etc"));
    EXPECT_FALSE(safeSubfolder("\\Windows"));
    EXPECT_FALSE(safeSubfolder("C:\\Windows"));
    EXPECT_FALSE(safeSubfolder(".."));
    EXPECT_FALSE(safeSubfolder("TAB\\..\\.."));
    EXPECT_FALSE(safeSubfolder("TAB/../x"));
    EXPECT_FALSE(safeFileName("a/b"));
    EXPECT_FALSE(safeFileName("a\\b"));
    EXPECT_FALSE(safeFileName(".."));
    EXPECT_FALSE(safeFileName(""));
    EXPECT_TRUE(safeFileName("VXIFCLI.BIN"));
}

}  // namespace
}  // namespace vtx::linkagent::download
