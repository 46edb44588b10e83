// Requests through Process / Process_Server against vtx-hostsim over
// loopback: the exact bytes on the wire for every framing and cipher, and the
// result codes of every failure.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <gtest/gtest.h>
#include <openssl/des.h>

#include <cstring>
#include <string>

#include "DesFrame.h"
#include "ShiftCipher.h"
#include "vtx/commlib/testing/HostExchange.h"
#include "vtx/platform/Reachability.h"
#include "vx32_cli.h"

using vtx::cli::test::HostFixture;
using vtx::cli::test::send;
using vtx::cli::test::Station;
using vtx::hostsim::HostSimPort;

namespace {

const std::string kTracedSale = "000-000=0200;011-000=003000;940-000=003;";

HostSimPort port(const char* section, const char* framing = "plain", int cript = 0) {
    HostSimPort p;
    p.section = section;
    p.framing = framing;
    p.cript = cript;
    return p;
}

std::string withLength(const std::string& message) {
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04zu", message.size());
    return digits + message;
}

}  // namespace

TEST(ProcessWire, PlainFrameAndDefaultReply) {
    HostFixture f({port("plain")});
    f.station.writeRoutes({Station::route("OPA", f.port("plain"))});

    auto first = send(kTracedSale);
    ASSERT_GT(first.result, 0) << first.reply;
    EXPECT_EQ(first.result, static_cast<int>(first.reply.size()));
    EXPECT_EQ(first.reply, withLength(first.reply.substr(4)));
    EXPECT_NE(first.reply.find("000-000=0200;"), std::string::npos);
    EXPECT_NE(first.reply.find("011-000=003000;"), std::string::npos);
    EXPECT_NE(first.reply.find("009-000=00;"), std::string::npos);
    EXPECT_NE(first.reply.find("012-000=000001;"), std::string::npos);
    EXPECT_NE(send(kTracedSale).reply.find("012-000=000002;"), std::string::npos);

    auto records = f.host.records("plain");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].raw, withLength(kTracedSale));
}

TEST(ProcessWire, BinaryLengthForTheConfiguredServiceOnly) {
    HostFixture f({port("bin", "binary"), port("plain")});
    auto route = Station::route("OPA", f.port("plain"));
    route.portAtt = std::to_string(f.port("bin"));
    f.station.writeRoutes({route});
    f.station.setCore("CONFIG", "SIZE_TYPE_ATT", "1");

    auto att = send(kTracedSale, "OPA", "ATT");
    ASSERT_GT(att.result, 0);
    auto raw = f.host.records("bin").at(0).raw;
    ASSERT_EQ(raw.size(), kTracedSale.size() + 2);
    EXPECT_EQ(static_cast<unsigned char>(raw[0]), kTracedSale.size());
    EXPECT_EQ(raw[1], '\0');
    EXPECT_EQ(raw.substr(2), kTracedSale);
    EXPECT_EQ(att.reply, withLength(att.reply.substr(4)));

    ASSERT_GT(send(kTracedSale, "OPA", "CHK").result, 0);
    EXPECT_EQ(f.host.records("plain").at(0).raw, withLength(kTracedSale));
}

TEST(ProcessWire, TpduFrameThroughTheLocalGateway) {
    HostFixture f({port("gw", "tpdu")});
    f.station.setCore("Config", "ACESS_TYPE", "2");
    f.station.setCore("LOCAL", "Address", "127.0.0.1");
    f.station.setCore("LOCAL", "Port", std::to_string(f.port("gw")));
    f.station.writeOperatorTable({"Rede Alfa           ALFA0001"});

    std::string message = "000-000=0100;" + std::string(87, 'A');
    ASSERT_EQ(message.size(), 100u);
    auto e = send(message, "Rede Alfa", "CHK");
    ASSERT_GT(e.result, 0) << e.result;
    auto raw = f.host.records("gw").at(0).raw;
    ASSERT_EQ(raw.size(), 119u);
    EXPECT_EQ(raw.substr(0, 4), "0115");
    EXPECT_EQ(raw.substr(4, 3), "CHK");
    EXPECT_EQ(raw.substr(7, 8), "ALFA0001");
    EXPECT_EQ(raw.substr(15), "0100" + message);
    // The caller gets the inner frame of the gateway's TPDU reply.
    EXPECT_EQ(e.reply.substr(4, 8), "000-000=");
    EXPECT_EQ(e.result, static_cast<int>(e.reply.size()));
}

TEST(ProcessWire, ShiftCipherKeyFromThePort) {
    HostFixture f({port("shift", "plain", 1)});
    f.station.writeRoutes({Station::route("OPA", f.port("shift"), "1")});
    auto e = send(kTracedSale);
    ASSERT_GT(e.result, 0);
    EXPECT_NE(e.reply.find("009-000=00;"), std::string::npos);
    std::string expected = withLength(kTracedSale);
    vtx::wire::shiftEncipher(expected.data(), expected.size(),
                             vtx::wire::shiftKeyForPort(f.port("shift")));
    EXPECT_EQ(f.host.records("shift").at(0).raw, expected);
}

TEST(ProcessWire, ShiftCipherWithKeyZeroLeavesTheFrameUnchanged) {
    int zeroPort = vtx::cli::test::freePortEndingIn(0);
    ASSERT_NE(zeroPort, 0);
    auto p = port("zero", "plain", 1);
    p.port = zeroPort;
    HostFixture f({p});
    f.station.writeRoutes({Station::route("OPA", zeroPort, "1")});
    ASSERT_GT(send(kTracedSale).result, 0);
    EXPECT_EQ(f.host.records("zero").at(0).raw, withLength(kTracedSale));
}

TEST(ProcessWire, DesFrameWithSerialAndMasterKeyFromTheWindowsDirectory) {
    auto p = port("des", "plain", 2);
    p.masterKey = "\\41\\zABCDEF";
    HostFixture f({p});
    f.station.setWindowsCore("CHAVES", "MASTERKEY", "\\41\\zABCDEF");
    f.station.setCore("Config", "ACESS_TYPE", "1");
    f.station.root().writeFile(
        "C/Vantrix/VXIFCLI.BIN",
        "[OPA]\r\nAddress1=127.0.0.1\r\nCHK=" + std::to_string(f.port("des")) +
            "\r\nCript=2\r\nSerial=98765432\r\nTimeOut=2\r\n");

    auto e = send(kTracedSale);
    ASSERT_GT(e.result, 0) << e.result;
    EXPECT_EQ(e.result, static_cast<int>(e.reply.size()));
    EXPECT_NE(e.reply.find("009-000=00;"), std::string::npos);

    auto raw = f.host.records("des").at(0).raw;
    const size_t payload = kTracedSale.size() + 4;
    ASSERT_EQ(raw.size(), 23 + payload);
    EXPECT_EQ(static_cast<unsigned char>(raw[0]) | (static_cast<unsigned char>(raw[1]) << 8),
              static_cast<int>(payload + 21));
    EXPECT_EQ(raw.substr(2, 8), std::string("9876543\0", 8));
    // Session key A4 19 C7 3E 52 D8 0B 6F under the master key, by OpenSSL.
    DES_cblock master = {0x41, 'z', 'A', 'B', 'C', 'D', 'E', 'F'};
    DES_key_schedule ks;
    DES_set_key_unchecked(&master, &ks);
    DES_cblock session = {0xA4, 0x19, 0xC7, 0x3E, 0x52, 0xD8, 0x0B, 0x6F}, out;
    DES_ecb_encrypt(&session, &out, &ks, DES_ENCRYPT);
    EXPECT_EQ(raw.substr(10, 8), std::string(reinterpret_cast<char*>(out), 8));
    EXPECT_EQ(raw.substr(18, 5), std::string("\xE5\x00\x05\x00\x05", 5));
    EXPECT_EQ(f.host.records("des").at(0).message, kTracedSale);
}

TEST(ProcessWire, GatewayTpduInsertedAndRemoved) {
    auto p = port("gwt", "gwtpdu");
    p.gatewayTpdu = "6000010000";
    HostFixture f({p});
    f.station.writeRoutes({Station::route("OPA", f.port("gwt"))});
    f.station.setCore("Config", "GATEWAY", "5");
    f.station.setCore("Config", "TPDU_CHK", "6000010000");
    auto e = send(kTracedSale);
    ASSERT_GT(e.result, 0) << e.result;
    EXPECT_EQ(e.reply.substr(4, 8), "000-000=");
    auto raw = f.host.records("gwt").at(0).raw;
    EXPECT_EQ(static_cast<unsigned char>(raw[0]), 5 + 4 + kTracedSale.size());
    EXPECT_EQ(raw.substr(2, 5), std::string("\x60\x00\x01\x00\x00", 5));
    EXPECT_EQ(raw.substr(7), withLength(kTracedSale));
}

TEST(ProcessWire, LargestMessageIsAccepted) {
    HostFixture f({port("plain")});
    f.station.writeRoutes({Station::route("OPA", f.port("plain"))});
    std::string message = "000-000=0200;" + std::string(3072 - 13, 'Z');
    auto e = send(message);
    EXPECT_GT(e.result, 0);
    EXPECT_EQ(f.host.records("plain").at(0).raw.size(), 3076u);
}

TEST(ProcessWire, ServerEntryIgnoresTheAccessType) {
    HostFixture f({port("plain")});
    f.station.writeRoutes({Station::route("OPA", f.port("plain"))});
    f.station.setCore("Config", "ACESS_TYPE", "2");
    f.station.setCore("LOCAL", "Address", "127.0.0.1");
    f.station.setCore("LOCAL", "Port", "1");
    auto e = send(kTracedSale, "OPA", "CHK", /*server=*/true);
    ASSERT_GT(e.result, 0);
    EXPECT_EQ(f.host.records("plain").at(0).raw, withLength(kTracedSale));
    EXPECT_NE(f.station.socketBin().find("[OPA     -Server]"), std::string::npos);
}
