// The logon hand-over to the connection manager, concurrent requests of the
// connection manager, and what the trace file SOCKET.BIN may show.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "Eventually.h"
#include "ShiftCipher.h"
#include "vtx/commlib/testing/HostExchange.h"
#include "vx32_cli.h"

using vtx::cli::test::HostFixture;
using vtx::cli::test::send;
using vtx::cli::test::Station;
using vtx::hostsim::HostSimPort;

namespace {

HostSimPort plainPort() {
    HostSimPort p;
    p.section = "plain";
    return p;
}

bool waitForFile(const vtx::test::TempRoot& root, const std::string& relative) {
    return vtx::test::eventually([&] { return root.readFile(relative).has_value(); });
}

}  // namespace

TEST(LogonHandOver, StartsTheConnectionManagerAndAnswersAtOnce) {
    Station station;
    station.setCore("Config", "Cli_Connection", "Y");
    // A stand-in connection manager that records how it was started.
    station.root().writeFile("C/Vantrix/LinkAgent",
                             "#!/bin/sh\necho \"started $1\" > \"$(dirname \"$0\")/ran.txt\"\n");
    ::chmod(station.root().native("C/Vantrix/LinkAgent").c_str(), 0755);

    auto e = send("LOGIN|0001|", "OPA", "ADM");
    EXPECT_EQ(e.result, 0);
    EXPECT_EQ(e.reply, "0002OK");
    EXPECT_EQ(station.root().readFile("C/Vantrix/LA.bat").value_or(""),
              station.installDir() + "/LinkAgent LOGIN");
    ASSERT_TRUE(waitForFile(station.root(), "C/Vantrix/ran.txt"));
    EXPECT_EQ(station.root().readFile("C/Vantrix/ran.txt").value(), "started LOGIN\n");
    EXPECT_NE(station.socketBin().find("WinExec=33 - C:\\Vantrix"), std::string::npos);
}

TEST(LogonHandOver, WithoutTheSwitchTheLogonGoesToTheHostInPlainFrame) {
    HostFixture f({plainPort()});
    f.station.setCore("Config", "Cli_Connection", "N");
    f.station.setCore("Config", "ACESS_TYPE", "2");
    f.station.setCore("CONFIG", "SIZE_TYPE_ADM", "1");
    f.station.setCore("LOCAL", "Address", "127.0.0.1");
    f.station.setCore("LOCAL", "Port", std::to_string(f.port("plain")));
    auto e = send("LOGIN|0001|", "OPA", "ADM");
    EXPECT_GT(e.result, 0);
    EXPECT_EQ(f.host.records("plain").at(0).raw, "0011LOGIN|0001|");
    EXPECT_FALSE(f.station.root().readFile("C/Vantrix/LA.bat"));
}

TEST(ConcurrentRequests, EveryReplyBelongsToItsOwnRequest) {
    HostFixture f({plainPort()});
    f.station.writeRoutes({Station::route("OPA", f.port("plain"))});
    f.station.setCore("Config", "SOCKETBIN", "0");
    constexpr int kThreads = 32;
    constexpr int kRounds = 4;
    std::vector<std::future<int>> done;
    for (int t = 0; t < kThreads; ++t) {
        done.push_back(std::async(std::launch::async, [t] {
            int good = 0;
            for (int r = 0; r < kRounds; ++r) {
                char code[16];
                std::snprintf(code, sizeof code, "%06d", t * 100 + r);
                auto e = send(std::string("000-000=0200;011-000=") + code + ";", "OPA", "CHK",
                              /*server=*/true);
                if (e.result > 0 &&
                    e.reply.find(std::string("011-000=") + code + ";") != std::string::npos)
                    ++good;
            }
            return good;
        }));
    }
    for (auto& d : done) EXPECT_EQ(d.get(), kRounds);
    EXPECT_EQ(f.host.records("plain").size(), static_cast<size_t>(kThreads * kRounds));
}

TEST(SocketTrace, ShowsEachStepButNeverAFullCardNumber) {
    HostFixture f({plainPort()});
    f.station.writeRoutes({Station::route("OPA", f.port("plain"))});
    f.station.setCore("LOCAL", "trace", "1");
    auto e = send("000-000=0100;953-000=4111111111111111;", "OPA", "CHK");
    ASSERT_GT(e.result, 0);
    std::string trace = f.station.socketBin();
    EXPECT_EQ(trace.find("4111111111111111"), std::string::npos) << trace;
    EXPECT_NE(trace.find("953-000=411111******1111"), std::string::npos) << trace;
    EXPECT_NE(trace.find("[RECV]"), std::string::npos);
    EXPECT_NE(trace.find("Entrada sem TPDU="), std::string::npos);
    EXPECT_NE(trace.find("Receive sem TPDU="), std::string::npos);
    EXPECT_NE(trace.find("IP1 127.0.0.1 - Port " + std::to_string(f.port("plain")) + "=OPA"),
              std::string::npos);
    EXPECT_EQ(trace.find("SECRETKEY"), std::string::npos) << "keys never reach the trace";

    // With tracing off only the connection entries are kept up to date.
    f.station.setCore("Config", "SOCKETBIN", "0");
    ASSERT_GT(send("000-000=0100;953-000=5555666677778888;", "OPA", "CHK").result, 0);
    EXPECT_EQ(f.station.socketBin().find("555566"), std::string::npos);
}

// The shift cipher's key is named by the port in the same file, so its entry
// must be the encipherment of the masked frame; DES entries show plain text.
TEST(SocketTrace, NoCipherModeLetsTheTraceGiveBackACardNumber) {
    HostSimPort shift = plainPort();
    shift.section = "shift";
    shift.cript = 1;
    shift.port = vtx::cli::test::freePortEndingIn(200);
    ASSERT_NE(shift.port, 0);
    HostSimPort des = plainPort();
    des.section = "des";
    des.cript = 2;
    HostFixture f({plainPort(), shift, des});
    f.station.writeRoutes({Station::route("PLA", f.port("plain")),
                           Station::route("SHI", f.port("shift"), "1"),
                           Station::route("DES", f.port("des"), "2")});
    const std::string message = "000-000=0100;953-000=6012000000000001;";
    const std::string maskedFrame = "0038000-000=0100;953-000=601200******0001;";
    const int key = vtx::wire::shiftKeyForPort(f.port("shift"));
    ASSERT_EQ(key, 200);

    for (const char* route : {"PLA", "SHI", "DES"}) {
        ASSERT_GT(send(message, route, "CHK").result, 0) << route;
        std::string trace = f.station.socketBin();
        EXPECT_EQ(trace.find("6012000000000001"), std::string::npos) << route << "\n" << trace;
        EXPECT_NE(trace.find("953-000=601200******0001;"), std::string::npos) << route;
        // Deciphered with the key the file names, every line stays masked.
        std::string deciphered = trace;
        vtx::wire::shiftDecipher(deciphered.data(), deciphered.size(), key);
        EXPECT_EQ(deciphered.find("6012000000000001"), std::string::npos) << route;
    }

    std::string expected = maskedFrame;
    vtx::wire::shiftEncipher(expected.data(), expected.size(), key);
    const std::string trace = f.station.socketBin();
    const std::string entry = "Envio Msg Cript =";
    const size_t at = trace.find("[SHI     -Client]");
    ASSERT_NE(at, std::string::npos) << trace;
    const size_t value = trace.find(entry, at);
    ASSERT_NE(value, std::string::npos) << trace;
    EXPECT_EQ(trace.substr(value + entry.size(), expected.size() + 2), expected + "\r\n");
}
