// One request per connection through the relay: frames in every data type,
// replies and error replies byte for byte, the logon request, and frames the
// relay refuses.
#include <gtest/gtest.h>

#include <thread>

#include "RelayTestFixture.h"

namespace vtx::linkagent::test {
namespace {

using namespace std::chrono_literals;

class Relay : public RelayFixture {};

std::string echoOf(const std::string& service, const std::string& code, const std::string& msg) {
    return "R|" + service + "|" + code + "|" + msg;
}

// The reply to `msg` with Data Type "N" and Len Size 4.
std::string n4Reply(const std::string& service, std::string code, const std::string& msg) {
    code.resize(8, ' ');
    const std::string echo = echoOf(service, code, msg);
    char outer[8], inner[8];
    std::snprintf(inner, sizeof inner, "%04zu", echo.size());
    std::snprintf(outer, sizeof outer, "%04zu", 11 + 4 + echo.size());
    return outer + service + code + inner + echo;
}

TEST_F(Relay, NumericLenSize4IsTheTpduFrameBothWays) {
    start();
    const std::string message = "000-000=0200;" + std::string(87, 'M');  // 100 bytes
    const std::string reply = exchangeBytes(port(), tpdu("CHK", "OPA", message));
    const std::string echo = echoOf("CHK", "OPA     ", "000-000=0200;" + std::string(87, 'M'));
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04zu", echo.size());
    const std::string framed = digits + echo;
    std::snprintf(digits, sizeof digits, "%04zu", framed.size() + 11);
    EXPECT_EQ(reply, digits + std::string("CHKOPA     ") + framed);

    EXPECT_EQ(status.messages(),
              (std::vector<std::string>{"Aguardando mensagens", "Mensagem recebida",
                                        "Enviando mensagem.", "Enviando resposta."}));
    ASSERT_FALSE(logger.lines().empty());
    EXPECT_EQ(logger.lines()[0], "Mensagem recebida 0115 CHKOPA     0100" + message);
}

TEST_F(Relay, OtherLenSizesCountTheSameBytes) {
    ListenerOptions options;
    options.relay.framing = {DataType::Numeric, 6};
    start(options);
    std::string frame = tpdu("ADM", "OPB", "LONGER-MESSAGE");
    frame = "00" + frame;  // six digits: "000029"
    const std::string echo = echoOf("ADM", "OPB     ", "LONGER-MESSAGE");
    EXPECT_EQ(exchangeBytes(port(), frame), "0000" + std::to_string(11 + 4 + echo.size()) +
                                                "ADMOPB     00" + std::to_string(echo.size()) +
                                                echo);
}

TEST_F(Relay, BinaryLengthIsLowByteFirstBothWays) {
    ListenerOptions options;
    options.relay.framing = {DataType::Binary, 4};
    start(options);
    const std::string message(300, 'b');  // count 315 = 0x013B
    const std::string request = std::string("\x3B\x01", 2) + tpdu("ATT", "OPC", message).substr(4);
    const std::string reply = exchangeBytes(port(), request);
    const std::string echo = echoOf("ATT", "OPC     ", message);
    const size_t count = 11 + 4 + echo.size();
    ASSERT_GE(reply.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(reply[0]), count & 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(reply[1]), count >> 8);
    EXPECT_EQ(reply.substr(2), "ATTOPC     0" + std::to_string(echo.size()) + echo);
}

TEST_F(Relay, NegativeResultsTravelAsTheirTextAlone) {
    start();
    EXPECT_EQ(exchangeBytes(port(), tpdu("CHK", "OPA", "CODE=-164")), "-164");
    EXPECT_EQ(exchangeBytes(port(), tpdu("CHK", "OPA", "CODE=-163")), "-163");
    EXPECT_EQ(status.messages().back(), "Enviando erro [-163]");
    // With dial-up down every failure is "no server".
    guard.down = true;
    EXPECT_EQ(exchangeBytes(port(), tpdu("CHK", "OPA", "CODE=-164")), "-163");
    // No connection at all: the host is not asked.
    guard.connected = false;
    const int before = host.calls();
    EXPECT_EQ(exchangeBytes(port(), tpdu("CHK", "OPA", "000-000=0200;")), "-163");
    EXPECT_EQ(host.calls(), before);
}

TEST_F(Relay, ZeroSendsNothingAndAShortReplyStaysFramed) {
    start();
    EXPECT_EQ(exchangeBytes(port(), tpdu("CHK", "OPA", "ZERO!")), "");
    EXPECT_EQ(exchangeBytes(port(), tpdu("CHK", "OPA", "SHORT")), "0015CHKOPA     0000");
}

TEST_F(Relay, RequestsTheLibraryCannotReadSafelyAreAnswered202) {
    start();
    // The inner length announces more than the terminal sent.
    std::string lying = tpdu("CHK", "OPA", "0123456789");
    lying.replace(15, 4, "0050");
    EXPECT_EQ(exchangeBytes(port(), lying), "-202");
    // Too short to hold service, code and a length.
    EXPECT_EQ(exchangeBytes(port(), "0008CHKOPA  "), "-202");
    EXPECT_EQ(host.calls(), 0);
}

TEST_F(Relay, LogonRequestAnswersOkAndStartsOneLogon) {
    start();
    EXPECT_EQ(exchangeBytes(port(), "0006LOGIN|"), "0002OK");
    EXPECT_EQ(exchangeBytes(port(), "0010LOGIN|OPA "), "0002OK");
    EXPECT_EQ(logonAsked.load(), 2);
    EXPECT_EQ(logonStarted.load(), 1);  // the second found one running
    EXPECT_EQ(host.calls(), 0);
    EXPECT_NE(std::find(status.messages().begin(), status.messages().end(), "Iniciando Login."),
              status.messages().end());
    guard.connected = false;
    EXPECT_EQ(exchangeBytes(port(), "0006LOGIN|"), "-163");
}

TEST_F(Relay, LargestRequestPassesAndOneByteMoreIsRefusedUnread) {
    start();
    const std::string largest(3072, 'L');
    std::string reply = exchangeBytes(port(), tpdu("CHK", "OPA", largest));
    EXPECT_EQ(reply.substr(0, 19), "3087CHKOPA     3072");  // the echo is cut to 3072
    EXPECT_EQ(reply.size(), 4u + 11 + 4 + 3072);

    // 3088 announced: closed at once, without waiting for the body (which
    // would take the 10 s request time-out).
    RawTerminal oversize(port());
    ASSERT_TRUE(oversize.send("3088CHKOPA     "));
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(oversize.readToEnd(8s), "");
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 5s);
    EXPECT_EQ(exchangeBytes(port(), "12x4CHKOPA     "), "");
    EXPECT_EQ(host.calls(), 1);
}

TEST_F(Relay, BrokenFramesAreDroppedWithoutHarmingOtherConnections) {
    ListenerOptions options;
    options.relay.requestTimeout = 500ms;
    start(options);
    // A request in flight while the broken ones come and go.
    std::string held;
    std::thread inFlight([&] { held = exchangeBytes(port(), tpdu("CHK", "OPA", "HOLD-1")); });
    ASSERT_TRUE(eventually([&] { return host.calls() == 1; }));

    const std::string full = tpdu("CHK", "OPA", std::string(100, 'x'));
    RawTerminal cutAndSilent(port());
    cutAndSilent.send(full.substr(0, 60));
    RawTerminal silent(port());
    {
        RawTerminal gone(port());
        gone.send(full.substr(0, 60));
    }

    EXPECT_EQ(exchangeBytes(port(), tpdu("CHK", "OPB", "OTHER")), n4Reply("CHK", "OPB", "OTHER"));
    // The silent ones are let go after the request time-out.
    EXPECT_TRUE(cutAndSilent.closedWithin(20s));
    EXPECT_TRUE(silent.closedWithin(20s));
    EXPECT_EQ(cutAndSilent.readToEnd(100ms), "");

    host.release();
    inFlight.join();
    EXPECT_EQ(held, n4Reply("CHK", "OPA", "HOLD-1"));
    EXPECT_EQ(host.calls(), 2);
    EXPECT_TRUE(fatals().empty());
}

}  // namespace
}  // namespace vtx::linkagent::test
