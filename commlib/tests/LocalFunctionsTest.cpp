// The exports that work without a host: ListAdm, GetPreco, the field 953 rule
// and the length checks made before any settings are read.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Field953.h"
#include "vtx/commlib/testing/Station.h"
#include "vx32_cli.h"

using vtx::cli::test::Station;

namespace {

std::vector<char> request(const std::string& framed) {
    std::vector<char> buffer(VX_BUFFER_SIZE, '\0');
    std::memcpy(buffer.data(), framed.data(), std::min(framed.size(), buffer.size()));
    return buffer;
}

}  // namespace

TEST(ListAdm, RecordFormGivesNineBytesPerOperatorThenZeros) {
    Station station;
    station.writeRoutes(
        {Station::route("AAA", 1), Station::route("BBBBBBBB", 2), Station::route("C", 3)});
    std::vector<char> list(VX_LIST_SIZE, 'x');
    EXPECT_EQ(ListAdm(list.data()), 0);
    EXPECT_EQ(std::string(list.data(), 27), std::string("AAA     \0BBBBBBBB\0C       \0", 27));
    for (size_t i = 27; i < VX_LIST_SIZE; ++i) ASSERT_EQ(list[i], '\0') << i;
}

TEST(ListAdm, IniFormListsSectionNames) {
    Station station;
    station.setCore("Config", "ACESS_TYPE", "1");
    station.root().writeFile("C/Vantrix/VXIFCLI.BIN", "[OPA]\r\nCHK=1\r\n[OPB]\r\nCHK=2\r\n");
    std::vector<char> list(VX_LIST_SIZE, 'x');
    EXPECT_EQ(ListAdm(list.data()), 0);
    EXPECT_EQ(std::string(list.data(), 9), std::string("OPA\0OPB\0\0", 9));
}

TEST(ListAdm, MissingFileGivesEmptyList) {
    Station station;
    std::vector<char> list(VX_LIST_SIZE, 'x');
    EXPECT_EQ(ListAdm(list.data()), 0);
    EXPECT_EQ(list[0], '\0');
}

namespace {

// One line of the price file: code(13) type(1) description(20) prices(7 + 7).
std::string priceLine(const std::string& code, char type, std::string desc, const char* p1,
                      const char* p2) {
    desc.resize(20, ' ');
    return code + type + desc + p1 + p2 + "\r\n";
}

}  // namespace

TEST(GetPreco, LooksUpTheLocalPriceFile) {
    Station station;
    station.setCore("PRODUTO", "TYPE_READ", "1");
    station.setCore("PRODUTO", "FILENAME", "precos\\PRECOS.TXT");
    station.root().writeFile(
        "C/Vantrix/precos/precos.txt",
        priceLine("7891234567890", 'A', "DIPIRONA 500MG", "0001250", "0000990") +
            priceLine("7891234567890", 'B', "DIPIRONA CAIXA", "0002500", "0001990") +
            priceLine("7890000000001", 'B', "SORO", "0000300", "0000200"));
    char desc[20], p1[7], p2[7];
    EXPECT_EQ(GetPreco("7890000000001", "B", desc, p1, p2, 0), 0);
    EXPECT_EQ(std::string(desc, 20), "SORO                ");
    EXPECT_EQ(std::string(p1, 7), "0000300");
    EXPECT_EQ(std::string(p2, 7), "0000200");
    // A blank type takes the first line with the code, whatever its type.
    EXPECT_EQ(GetPreco("7891234567890", " ", desc, p1, p2, 0), 0);
    EXPECT_EQ(std::string(desc, 20), "DIPIRONA 500MG      ");
    EXPECT_EQ(std::string(p1, 7), "0001250");
    // The first line with the code decides: another type there is "not found".
    EXPECT_EQ(GetPreco("7891234567890", "B", desc, p1, p2, 0), -1);
    EXPECT_EQ(GetPreco("0000000000000", " ", desc, p1, p2, 0), -1);

    station.setCore("PRODUTO", "FILENAME", "nofile.txt");
    EXPECT_EQ(GetPreco("7891234567890", " ", desc, p1, p2, 0), -1);
    // Another source: answered without filling anything.
    station.setCore("PRODUTO", "TYPE_READ", "0");
    EXPECT_EQ(GetPreco("7891234567890", " ", desc, p1, p2, 0), 0);
}

TEST(RequestLength, RefusedBeforeAnythingElse) {
    Station station;
    for (const char* framed : {"0000", "3073xxxxx", "0004abcd", "9999abcde"}) {
        auto buffer = request(framed);
        EXPECT_EQ(Process(buffer.data(), "OPA", "CHK"), VX_BAD_LENGTH) << framed;
        EXPECT_EQ(std::string(buffer.data()), framed) << "buffer must stay unchanged";
    }
    auto shortMessage = request("0010abc");  // zero byte at the fifth message position
    EXPECT_EQ(Process_Server(shortMessage.data(), "OPA", "CHK"), VX_BAD_LENGTH);
}

TEST(Field953Rule, ReplacesTheSeparatorOnlyWhenTheConditionsHold) {
    // "953-" at P = 40, ";" S = 10 further, "=" at E = 47, and the first "-0"
    // at or after offset 10 lies beyond E: the ";" at P + S is replaced.
    std::string b = "0060000-000=0100;" + std::string(23, 'Z') + "953-111=ab;cd;001-000=1;";
    ASSERT_EQ(b.find("953-"), 40u);
    std::string copy = b;
    vtx::cli::applyField953Rule(copy.data(), copy.size());
    std::string expected = b;
    expected[50] = '\xE7';
    EXPECT_EQ(copy, expected);

    // No "-0" at or after S: nothing happens.
    std::string none = "0060000-000=0100;" + std::string(23, 'Z') + "953-111=ab;cd;";
    copy = none;
    vtx::cli::applyField953Rule(copy.data(), copy.size());
    EXPECT_EQ(copy, none);

    // The usual key "953-000" carries a "-0" before its "=": never replaced.
    std::string usual = "0060000-000=0100;" + std::string(23, 'Z') + "953-000=ab;cd;001-000=1;";
    copy = usual;
    vtx::cli::applyField953Rule(copy.data(), copy.size());
    EXPECT_EQ(copy, usual);
}
