// Result codes when the host cannot be reached, refuses, fails or answers
// badly: never a crash, never a byte past the caller's buffer.
#include <gtest/gtest.h>

#include <string>

#include "vtx/commlib/testing/HostExchange.h"
#include "vtx/platform/Reachability.h"
#include "vx32_cli.h"

using vtx::cli::test::HostFixture;
using vtx::cli::test::send;
using vtx::cli::test::Station;
using vtx::hostsim::HostSimPort;

namespace {

const std::string kSale = "000-000=0200;011-000=003000;";

HostSimPort faulty(const char* section, const char* fault, const char* framing = "plain") {
    HostSimPort p;
    p.section = section;
    p.fault = fault;
    p.framing = framing;
    return p;
}

bool zeroed(const std::string& reply) {
    return reply.empty();
}

}  // namespace

TEST(ProcessFailure, NoRouteMeansNoServer) {
    Station station;
    auto e = send(kSale, "NOROUTE");
    EXPECT_EQ(e.result, VX_NO_SERVER);
    EXPECT_TRUE(zeroed(e.reply));
    // The secondary address is empty: recorded unreachable without a probe.
    EXPECT_NE(station.socketBin().find("[STATUSSERVER_2]"), std::string::npos);
}

TEST(ProcessFailure, ReachableHostRefusingTheServiceGives164) {
    if (!vtx::platform::probeHost("127.0.0.1")) GTEST_SKIP() << "no ICMP socket here";
    HostFixture f({faulty("closed", "refuse")});
    f.station.writeRoutes({Station::route("OPA", f.port("closed"))});
    auto e = send(kSale);
    EXPECT_EQ(e.result, VX_SERVER_REFUSING);
    EXPECT_TRUE(zeroed(e.reply));
    std::string trace = f.station.socketBin();
    EXPECT_NE(trace.find("[STATUSSERVER_1]\r\n127.0.0.1=ACESSIVEL"), std::string::npos) << trace;
    EXPECT_NE(trace.find("=INACESSIVEL"), std::string::npos);

    // Through the local gateway a client request reports every connection
    // failure as "no server".
    f.station.setCore("Config", "ACESS_TYPE", "2");
    f.station.setCore("LOCAL", "Address", "127.0.0.1");
    f.station.setCore("LOCAL", "Port", std::to_string(f.port("closed")));
    f.station.setCore("LOCAL", "TimeOut", "1");
    EXPECT_EQ(send(kSale).result, VX_NO_SERVER);
}

TEST(ProcessFailure, GatewayCodeInPlaceOfALength) {
    HostFixture f({faulty("gw", "minus163", "tpdu")});
    f.station.setCore("Config", "ACESS_TYPE", "2");
    f.station.setCore("LOCAL", "Address", "127.0.0.1");
    f.station.setCore("LOCAL", "Port", std::to_string(f.port("gw")));
    auto e = send(kSale);
    EXPECT_EQ(e.result, -163);
    EXPECT_TRUE(zeroed(e.reply));
}

TEST(ProcessFailure, ReplyCutShortOrNeverSentOrTooLong) {
    HostFixture f({faulty("middle", "close-middle"), faulty("before", "close-before"),
                   faulty("big", "oversize"), faulty("slow", "delay")});
    f.station.writeRoutes(
        {Station::route("MID", f.port("middle")), Station::route("BEF", f.port("before")),
         Station::route("BIG", f.port("big")), Station::route("SLO", f.port("slow"))});

    auto shortReply = send(kSale, "MID");
    EXPECT_EQ(shortReply.result, 4);
    EXPECT_TRUE(zeroed(shortReply.reply));

    EXPECT_EQ(send(kSale, "BEF").result, VX_NO_SERVER);

    auto big = send(kSale, "BIG");
    EXPECT_EQ(big.result, VX_BAD_LENGTH);
    EXPECT_TRUE(zeroed(big.reply));
}

TEST(ProcessFailure, NoReplyWithinTheTimeOut) {
    auto slow = faulty("slow", "delay");
    slow.delayMs = 30000;
    HostFixture f({slow});
    f.station.writeRoutes({Station::route("SLO", f.port("slow"))});  // 1-second time-out
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(send(kSale, "SLO").result, VX_NO_SERVER);
    // Given up at the station's time-out, long before the host's reply.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
}

TEST(ProcessFailure, MalformedRoutesAndSettingsNeverCrash) {
    Station station;
    auto bad = Station::route("OPA", 0);
    bad.portChk = "x9z";
    bad.attempts = "?";
    bad.timeout = "ab";
    station.writeRoutes({bad});
    station.root().writeFile("C/Vantrix/VXIFCLI.BIN",
                             station.root().readFile("C/Vantrix/VXIFCLI.BIN").value() + "trailing");
    // No attempt is made (attempts read as 0); the probe decides the code.
    int result = send(kSale).result;
    EXPECT_TRUE(result == VX_NO_SERVER || result == VX_SERVER_REFUSING) << result;

    station.setCore("Config", "ACESS_TYPE", "1");
    station.root().writeFile("C/Vantrix/VXIFCLI.BIN",
                             "[OPA]\r\nAddress1=\r\nCHK=abc\r\nTimeOut=1\r\n");
    EXPECT_EQ(send(kSale).result, VX_NO_SERVER);
}
