// The bytes of the logon exchange: the 0800 request, the 0810 answer as
// the station reads it, and the operator list it walks through.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "LogonAnswer.h"
#include "LogonFakes.h"
#include "LogonRequest.h"
#include "OperatorList.h"

namespace vtx::linkagent::logon {
namespace {

using test::answer0810;

TEST(LogonRequest, IsBuiltByteForByte) {
    EXPECT_EQ(buildLogonRequest("12345", {"", ""}, ""),
              "0073"
              "08002000000001410000388000003"
              "12345          "
              "026"
              "0000000000"
              "000000"
              "0000000000");
    // Values are cut to their width first, then right-justified with zeros.
    const std::string request =
        buildLogonRequest("ESTABELECIMENTO-LONGO", {"123456789012", "1234567"}, "42");
    EXPECT_EQ(request.size(), 77u);
    EXPECT_EQ(request.substr(33, 15), "ESTABELECIMENTO");
    EXPECT_EQ(request.substr(51),
              "1234567890123456"
              "0000000042");
    EXPECT_EQ(buildLogonRequest("", {"7", "3"}, "").substr(51),
              "0000000007000003"
              "0000000000");
}

TEST(LogonAnswer, ReadsBothVariantsAndTheNameAsInstalled) {
    auto answer =
        parseLogonAnswer(answer0810("0000000012", "000034", "0000000001", "up.s07 extra", "A!B!"));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->mark, (LogonMark{"0000000012", "000034"}));
    EXPECT_EQ(answer->continuation, "0000000001");
    EXPECT_EQ(answer->fileName, "UP.S07");
    EXPECT_EQ(answer->data, "A!B!");

    // Without bit 63 the answer ends after its (empty) file name.
    auto closing = parseLogonAnswer(
        "0810200000000301000438800000003026"
        "0000000012"
        "000034"
        "0000000000"
        "000");
    ASSERT_TRUE(closing);
    EXPECT_EQ(closing->fileName, "");
    EXPECT_EQ(closing->data, "");

    // A name of blanks is no name.
    auto blank = parseLogonAnswer(answer0810("0000000012", "000034", "0000000000", "   ", ""));
    ASSERT_TRUE(blank);
    EXPECT_EQ(blank->fileName, "");
}

TEST(LogonAnswer, RefusesWhatTheStationMustNotActOn) {
    const std::string good = answer0810("0000000001", "000001", "0000000001", "UP.S07", "A!");
    ASSERT_TRUE(parseLogonAnswer(good));
    const std::string cases[] = {
        "",
        // response code 96 instead of 00
        "0810200000000301000638800000003096" + good.substr(34),
        // cut inside the fixed part, the name and the data
        good.substr(0, 62),
        good.substr(0, 66),
        good.substr(0, good.size() - 1),
        // lengths that are not digits
        good.substr(0, 60) + "0x6" + good.substr(63),
        good.substr(0, 69) + "00A" + good.substr(72),
        // a line end where CORE.INI would keep the batch number
        answer0810("00000\n0001", "000001", "0000000001", "UP.S07", "A!"),
        // names that leave the folder or act as wildcards
        answer0810("0000000001", "000001", "0000000001", "..\\CORE.INI", "A!"),
        answer0810("0000000001", "000001", "0000000001", "../X", "A!"),
        answer0810("0000000001", "000001", "0000000001", "*.S07", "A!"),
        answer0810("0000000001", "000001", "0000000001", "UP.S?7", "A!"),
        answer0810("0000000001", "000001", "0000000001", "C:UP", "A!"),
        answer0810("0000000001", "000001", "0000000001", "..", "A!"),
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseLogonAnswer(text));
    }
}

TEST(LogonAnswer, RecordsEndAtTheirMarkAndTrailingTextIsNoRecord) {
    EXPECT_EQ(completeRecords("A!B!C"), (std::vector<std::string_view>{"A", "B"}));
    EXPECT_EQ(completeRecords("!!"), (std::vector<std::string_view>{"", ""}));
    EXPECT_TRUE(completeRecords("no mark").empty());
}

TEST(OperatorList, CodesUpToTheFirstBlankUntilAnEmptyOne) {
    char list[512] = {};
    std::memcpy(list, "OPA     \0OPB12345\0 BLANK  \0\0LATE\0", 34);
    EXPECT_EQ(parseOperatorList(list, sizeof list), (std::vector<std::string>{"OPA", "OPB12345"}));

    // An unterminated code at the end of the buffer still counts; nothing
    // is read past it.
    char full[4] = {'A', 'B', 'C', 'D'};
    EXPECT_EQ(parseOperatorList(full, sizeof full), (std::vector<std::string>{"ABCD"}));
    EXPECT_TRUE(parseOperatorList(list, 0).empty());
}

}  // namespace
}  // namespace vtx::linkagent::logon
