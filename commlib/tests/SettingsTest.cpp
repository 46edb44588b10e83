// Settings of one request: route records and their INI form, the local
// gateway section, the operator table, and re-reading on every request.
#include <gtest/gtest.h>

#include "RequestSettings.h"
#include "vtx/commlib/testing/Station.h"

using namespace vtx::cli;
using vtx::cli::test::Station;

namespace {

RequestSettings load(Mode mode, const char* op) {
    SocketTrace trace;
    return loadRequestSettings(mode, op, trace);
}

}  // namespace

TEST(RouteSettings, RecordFieldsTimeoutAndFirstRecordWins) {
    Station station;
    RouteRecord first = Station::route("OPA", 6001);
    first.ip2 = "10.9.9.9 ";
    first.timeout = "00";
    first.cript = "1";
    first.attempts = "3";
    RouteRecord second = Station::route("OPA", 7001);
    second.timeout = "45";
    RouteRecord other = Station::route("OPB", 7002);
    other.timeout = "45";
    station.writeRoutes({first, second, other});

    RequestSettings a = load(Mode::Client, "OPA");
    // Fields keep their padding; blanks are removed when the address is used.
    EXPECT_EQ(std::string(a.profile.address1), "127.0.0.1" + std::string(21, ' '));
    EXPECT_EQ(a.profile.portChk, 6001);
    EXPECT_EQ(a.profile.attempts, 3);
    EXPECT_EQ(a.profile.cipherMode, 1);
    EXPECT_EQ(a.profile.timeoutMs, 30000);  // "00" means 30 seconds
    EXPECT_EQ(load(Mode::Client, "OPB").profile.timeoutMs, 45000);

    RequestSettings missing = load(Mode::Client, "NOPE");
    EXPECT_STREQ(missing.profile.address1, "");
    EXPECT_EQ(missing.profile.attempts, 0);
}

TEST(RouteSettings, IniFormAndLocalGatewayAndSerial) {
    Station station;
    station.root().writeFile("C/Vantrix/VXIFCLI.BIN",
                             "[OPA]\r\nAddress1=host-a\r\nATT=6100\r\nSerial=12345678\r\n"
                             "TimeOut=7\r\n");
    station.setCore("Config", "ACESS_TYPE", "1");
    RequestSettings a = load(Mode::Client, "OPA");
    EXPECT_EQ(a.accessType, 1);
    EXPECT_STREQ(a.profile.address1, "host-a");
    EXPECT_EQ(a.profile.portAtt, 6100);
    EXPECT_EQ(a.profile.portAdm, 5004);
    EXPECT_EQ(a.profile.portChk, 5002);
    EXPECT_EQ(a.profile.timeoutMs, 7000);
    EXPECT_EQ(std::string(a.profile.serial, 8), std::string("1234567\0", 8));

    // Changing CORE.INI between two requests changes the second.
    station.setCore("Config", "ACESS_TYPE", "2");
    station.setCore("LOCAL", "Address", "127.0.0.9");
    station.setCore("LOCAL", "Serial", "ABCDEFGHIJ");
    RequestSettings b = load(Mode::Client, "OPA");
    EXPECT_EQ(b.accessType, 2);
    EXPECT_STREQ(b.profile.address1, "127.0.0.9");
    EXPECT_STREQ(b.profile.address2, "");
    EXPECT_EQ(b.profile.portChk, 5002);
    EXPECT_EQ(b.profile.portAdm, 5002);
    EXPECT_EQ(b.profile.timeoutMs, 30000);
    EXPECT_EQ(std::string(b.profile.serial, 8), std::string("ABCDEFG\0", 8));

    // The server entry point always routes from the records.
    EXPECT_EQ(load(Mode::Server, "OPA").accessType, 0);
}

TEST(OperatorTable, NameToCodeMapping) {
    Station station;
    station.writeOperatorTable({
        "Rede Alfa           ALFA0001 other columns",
        "BETA CARD           BETA0002",
        std::string(120, 'L') + "LONGLINE",
    });
    StationPaths paths = readStationPaths();
    EXPECT_EQ(operatorCodeFor(paths, "rede alfa"), "ALFA0001");
    EXPECT_EQ(operatorCodeFor(paths, "BETA CARD"), "BETA0002");
    // Without a match the first 8 characters of the text are the code.
    EXPECT_EQ(operatorCodeFor(paths, "GAMMA"), "GAMMA   ");
    EXPECT_EQ(operatorCodeFor(paths, "DELTAEPSILON"), "DELTAEPS");
    // A code that starts with a control character becomes blanks.
    EXPECT_EQ(operatorCodeFor(paths,
                              "\x01"
                              "BAD"),
              "        ");
}

TEST(StationPaths, LocatorDefaultsAndLimit) {
    vtx::test::TempRoot root;
    EXPECT_EQ(readStationPaths().pathServer, "C:\\Vantrix");
    vtx::platform::iniWriteString("WINVTXCORE.INI", "CORE", "Path Server",
                                  "D:\\" + std::string(60, 'p'));
    StationPaths paths = readStationPaths();
    EXPECT_EQ(paths.pathServer.size(), 49u);
    EXPECT_EQ(paths.coreIni, paths.pathServer + "\\CORE.INI");
}
