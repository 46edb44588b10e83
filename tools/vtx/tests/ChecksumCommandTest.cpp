// `vtx checksum FILE`: the support team's first question when a station
// refuses a table or a report: does the name carry the content's check value?
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "CommandRun.h"
#include "TestRoot.h"
#include "core/testing/ChecksummedName.h"
#include "vtx/platform/Crc32.h"

namespace {

using vtx::tool::test::Outcome;
const auto run = vtx::tool::test::runCommand;

const std::string kVtx = std::string(VTX_BIN_DIR) + "/vtx";

class ChecksumCommandTest : public ::testing::Test {
protected:
    std::string check(const std::string& relative) {
        return kVtx + " checksum '" + root_.native(relative) + "'";
    }
    vtx::test::TempRoot root_;
};

TEST_F(ChecksumCommandTest, ARightNameIsConfirmedAndAWrongOneGetsTheNameItCallsFor) {
    const std::string content = "000,TLotes,\r\n001,AQtd,ALote,\r\n002,N3,A000041,\r\n";
    const std::string right = vtx::client::testing::checksummedName("SSDEMO0001.S", content);
    root_.writeFile(right, content);
    Outcome ok = run(check(right));
    EXPECT_EQ(ok.status, 0) << ok.out;
    EXPECT_NE(ok.out.find(right + ": right"), std::string::npos) << ok.out;

    const std::string wrong =
        right.substr(0, right.size() - 2) + (right.ends_with("00") ? "01" : "00");
    root_.writeFile(wrong, content);
    Outcome bad = run(check(wrong));
    EXPECT_EQ(bad.status, 1) << bad.out;
    EXPECT_NE(bad.out.find(wrong + ": wrong"), std::string::npos) << bad.out;
    EXPECT_NE(bad.out.find("its name: " + right), std::string::npos) << bad.out;
}

TEST_F(ChecksumCommandTest, LineEndsDoNotCountAndLowerCaseHexNeverMatches) {
    root_.writeFile("A.S41", "A");
    EXPECT_EQ(run(check("A.S41")).status, 0);
    root_.writeFile("AB.SC5", "A\nB\r\n");  // 65 + 66 x 2 = 197
    EXPECT_EQ(run(check("AB.SC5")).status, 0);
    root_.writeFile("AB.Sc5", "A\nB\r\n");
    Outcome lower = run(check("AB.Sc5"));
    EXPECT_EQ(lower.status, 1);
    EXPECT_NE(lower.out.find("its name: AB.SC5"), std::string::npos) << lower.out;
    root_.writeFile("E.S00", "");
    EXPECT_EQ(run(check("E.S00")).status, 0);
    // Bytes above 0x7F count as the station's code page has them.
    root_.writeFile("X", "\xE7\x81");
    Outcome high = run(check("X"));
    const std::string expected = vtx::client::testing::checksummedName("", "\xE7\x81");
    EXPECT_NE(high.out.find("its name: " + expected), std::string::npos) << high.out;
}

TEST_F(ChecksumCommandTest, AMissingFileOrAFolderIsUnreadable) {
    EXPECT_EQ(run(check("none.S00")).status, 2);
    root_.writeFile("dir/x", "");
    EXPECT_EQ(run(check("dir")).status, 2);
    EXPECT_EQ(run(kVtx + " checksum").status, 2);
}

}  // namespace

namespace {

TEST_F(ChecksumCommandTest, CrcGivesTheSizeAndCrcAsTheListFileWritesThem) {
    root_.writeFile("check.txt", "123456789");
    Outcome crc = run(kVtx + " crc '" + root_.native("check.txt") + "'");
    EXPECT_EQ(crc.status, 0) << crc.out;
    EXPECT_EQ(crc.out, "0376E6E7 9 check.txt\n");

    // Larger than one read: the pieces add up to the CRC of the whole.
    std::string big;
    for (int i = 0; i < 200000; ++i) big += static_cast<char>(i * 7);
    root_.writeFile("big.bin", big);
    crc = run(kVtx + " crc '" + root_.native("big.bin") + "'");
    EXPECT_EQ(crc.out, vtx::platform::crcText(vtx::platform::crc32Mpeg2(big)) + " 200000 big.bin\n");

    EXPECT_EQ(run(kVtx + " crc '" + root_.native("missing") + "'").status, 2);
    EXPECT_EQ(run(kVtx + " crc").status, 2);
}

}  // namespace
