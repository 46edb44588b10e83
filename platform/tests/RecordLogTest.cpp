// The durable record log: what read() returns is exactly the records that
// were appended whole, whatever was cut off or damaged around them, and
// writers of several processes never lose a record, also while the file is
// rewritten under them.
#include "vtx/platform/RecordLog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ScopedUmask.h"
#include "TestRoot.h"
#include "vtx/platform/Crc32.h"

namespace vtx::platform {
namespace {

using test::permissionsOf;
using test::ScopedUmask;

class RecordLogTest : public ::testing::Test {
protected:
    std::string path() const { return root_.native("journal.log"); }
    std::string bytes() const { return root_.readFile("journal.log").value_or(""); }
    test::TempRoot root_;
};

TEST(Crc32, KnownValuesAndContinuation) {
    EXPECT_EQ(crc32("123456789"), 0xCBF43926U);
    EXPECT_EQ(crc32(""), 0U);
    EXPECT_EQ(crc32("56789", crc32("1234")), 0xCBF43926U);
}

TEST(Crc32, Mpeg2AsTheListFileWritesIt) {
    EXPECT_EQ(crc32Mpeg2("123456789"), 0x0376E6E7U);
    EXPECT_EQ(crcText(crc32Mpeg2("123456789")), "0376E6E7");
    EXPECT_EQ(crc32Mpeg2(""), kCrc32Mpeg2Start);
    EXPECT_EQ(crc32Mpeg2("6789", crc32Mpeg2("12345")), 0x0376E6E7U);  // streamed in pieces

    // The eight-at-a-time path against the CRC computed bit by bit, for
    // every length around its step and every split of the pieces.
    auto bitByBit = [](std::string_view bytes) {
        std::uint32_t c = kCrc32Mpeg2Start;
        for (char b : bytes) {
            c ^= static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 24;
            for (int k = 0; k < 8; ++k) c = (c & 0x80000000U) != 0 ? (c << 1) ^ 0x04C11DB7U : c << 1;
        }
        return c;
    };
    std::string data;
    for (int i = 0; i < 100; ++i) data.push_back(static_cast<char>((i * 151 + 7) & 0xFF));
    for (size_t length = 0; length <= data.size(); ++length) {
        const std::string_view piece(data.data(), length);
        ASSERT_EQ(crc32Mpeg2(piece), bitByBit(piece)) << length;
        const size_t half = length / 3;
        EXPECT_EQ(crc32Mpeg2(piece.substr(half), crc32Mpeg2(piece.substr(0, half))), bitByBit(piece));
    }
    EXPECT_EQ(crcText(0x00ABCDEFU), "00ABCDEF");
}

TEST_F(RecordLogTest, AppendedRecordsReadBackInOrderFromAPrivateFile) {
    ScopedUmask open(0);
    RecordLog log(path());
    EXPECT_TRUE(log.read().missing);
    ASSERT_EQ(log.append("first record"), 0);
    ASSERT_EQ(log.append(""), 0);
    ASSERT_EQ(log.append("third * with a star"), 0);
    const RecordLogContent content = log.read();
    EXPECT_EQ(content.records, (std::vector<std::string>{"first record", "", "third * with a star"}));
    EXPECT_EQ(content.damaged, 0U);
    EXPECT_EQ(permissionsOf(path()), 0600);
    EXPECT_EQ(bytes().substr(0, 22), "first record*61E0954B\n");
    EXPECT_EQ(log.append("two\nlines"), EINVAL);
    EXPECT_EQ(log.read().records.size(), 3U);
}

TEST_F(RecordLogTest, ALastRecordCutAtAnyByteIsNeverReadAndTheNextAppendStandsAlone) {
    RecordLog log(path());
    ASSERT_EQ(log.append("kept 1"), 0);
    ASSERT_EQ(log.append("kept 2"), 0);
    const size_t whole = bytes().size();
    ASSERT_EQ(log.append("the record a power cut tore"), 0);
    const std::string full = bytes();
    for (size_t cut = whole + 1; cut < full.size(); ++cut) {
        root_.writeFile("journal.log", full.substr(0, cut));
        const RecordLogContent content = log.read();
        ASSERT_EQ(content.records, (std::vector<std::string>{"kept 1", "kept 2"})) << "cut at " << cut;
        ASSERT_EQ(content.damaged, 1U) << "cut at " << cut;
    }
    ASSERT_EQ(log.append("after the cut"), 0);
    const RecordLogContent content = log.read();
    EXPECT_EQ(content.records, (std::vector<std::string>{"kept 1", "kept 2", "after the cut"}));
    EXPECT_EQ(content.damaged, 0U);  // the torn line was cut off, not revived
}

TEST_F(RecordLogTest, ADamagedLineInsideTheFileIsSkippedAndCounted) {
    RecordLog log(path());
    for (const char* r : {"alpha", "bravo", "charlie"}) ASSERT_EQ(log.append(r), 0);
    std::string text = bytes();
    text[text.find("bravo")] = 'B';  // one changed byte: the check value no longer fits
    root_.writeFile("journal.log", text + "\n\nno check value at all\n");
    const RecordLogContent content = log.read();
    EXPECT_EQ(content.records, (std::vector<std::string>{"alpha", "charlie"}));
    EXPECT_EQ(content.damaged, 2U);
}

TEST_F(RecordLogTest, RewriteKeepsTheModeAndReplacesTheContentWhole) {
    RecordLog log(path());
    for (const char* r : {"a", "b", "c"}) ASSERT_EQ(log.append(r), 0);
    ::chmod(path().c_str(), 0644);  // too open for its kind: closed up again
    ASSERT_EQ(log.rewrite([](const std::vector<std::string>& r) {
        return std::vector<std::string>(r.begin() + 1, r.end());
    }), 0);
    EXPECT_EQ(log.read().records, (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(permissionsOf(path()), 0600);
    EXPECT_EQ(log.rewrite([](const std::vector<std::string>&) {
        return std::vector<std::string>{"bad\rrecord"};
    }), EINVAL);
    EXPECT_EQ(log.read().records, (std::vector<std::string>{"b", "c"}));
}

TEST_F(RecordLogTest, WritersOfSeveralProcessesLoseNothingWhileTheFileIsRewritten) {
    constexpr int kWriters = 3;
    constexpr int kRecords = 150;
    RecordLog log(path());
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            RecordLog mine(path());
            for (int i = 0; i < kRecords; ++i) {
                if (mine.append("writer " + std::to_string(w) + " record " + std::to_string(i)) != 0)
                    ::_exit(1);
            }
            ::_exit(0);
        }
        children.push_back(pid);
    }
    // Compaction of what is there so far, over and over, while they write.
    for (int round = 0; round < 40; ++round) ASSERT_EQ(log.rewrite([](const std::vector<std::string>& r) { return r; }), 0);
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const RecordLogContent content = log.read();
    EXPECT_EQ(content.damaged, 0U);
    const std::set<std::string> got(content.records.begin(), content.records.end());
    EXPECT_EQ(got.size(), static_cast<size_t>(kWriters * kRecords));
    EXPECT_EQ(content.records.size(), static_cast<size_t>(kWriters * kRecords));
}

}  // namespace
}  // namespace vtx::platform
