// How long the library waits for a reply, and what it reports when a host
// drips, holds, closes or resets: a scripted loopback host plays each case.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DesFrame.h"
#include "MasterKey.h"
#include "ReplyReader.h"
#include "ScriptedHost.h"
#include "SocketIo.h"
#include "ThreadState.h"
#include "vtx/commlib/testing/HostExchange.h"
#include "vx32_cli.h"

using vtx::cli::test::ScriptedHost;
using vtx::cli::test::send;
using vtx::cli::test::Station;
using namespace std::chrono_literals;

namespace {

const std::string kDeadlineSale = "000-000=0200;011-000=003000;";
const std::string kReply = "0011009-000=00;";

std::string desFrame(const std::string& payload) {
    return vtx::wire::buildDesFrame(vtx::wire::kDefaultMasterKey, "\0\0\0\0\0\0\0\0", payload);
}

// A route to the host with the 1-second time-out of Station::route.
void routeTo(Station& station, const ScriptedHost& host, const char* cript) {
    station.writeRoutes({Station::route("OPA", host.port(), cript)});
}

// Connects to the host and sends a request, for reading its reply by hand.
int connectAndAsk(const ScriptedHost& host) {
    int sock = vtx::cli::openStreamSocket();
    EXPECT_EQ(vtx::cli::connectSocket(sock, "127.0.0.1", host.port(), 4000), 0);
    const std::string request = "0013000-000=0200;";
    EXPECT_EQ(vtx::cli::sendAll(sock, request.data(), request.size(), 2000), request.size());
    return sock;
}

}  // namespace

// Every wait alone is shorter than the time-out; together they are not.
TEST(ReplyDeadline, AHeaderDrippedPastTheTimeOutIsNoReply) {
    Station station;
    ScriptedHost plain({kReply, 0, 400ms});
    routeTo(station, plain, "0");
    auto e = send(kDeadlineSale);
    EXPECT_EQ(e.result, VX_NO_SERVER);
    EXPECT_TRUE(e.reply.empty());
    EXPECT_LT(plain.sent(), kReply.size());

    // The DES header: most of it at once, the last three bytes dripped.
    const std::string frame = desFrame(kReply);
    ScriptedHost des({frame, 20, 500ms});
    routeTo(station, des, "2");
    e = send(kDeadlineSale);
    EXPECT_EQ(e.result, VX_NO_SERVER);
    EXPECT_TRUE(e.reply.empty());
    EXPECT_LT(des.sent(), frame.size());
}

// The body may take kReplyBodyTime in all; the test shortens that time, while
// each wait keeps its full length.
TEST(ReplyDeadline, ABodyDrippedPastTheBodyTimeIsShort) {
    const std::string body(30, 'b');
    ScriptedHost plain({"0030" + body, 4, 100ms});
    int sock = connectAndAsk(plain);
    vtx::cli::ReplyShape shape;
    shape.bodyTime = 300ms;
    std::vector<char> buffer(VX_BUFFER_SIZE, '\0');
    vtx::cli::SocketTrace trace;
    EXPECT_EQ(vtx::cli::readReply(sock, shape, 5000, buffer.data(), trace, "T"), 4);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_LT(plain.sent(), 34u);
    vtx::cli::closeSocket(sock);

    vtx::cli::threadState().masterKey = vtx::wire::kDefaultMasterKey;
    ScriptedHost des({desFrame("0030" + body), vtx::wire::kDesHeaderSize, 100ms});
    sock = connectAndAsk(des);
    shape.cipherMode = 2;
    EXPECT_EQ(vtx::cli::readReply(sock, shape, 5000, buffer.data(), trace, "T"), 4);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_LT(des.sent(), vtx::wire::kDesHeaderSize + 34);
    vtx::cli::closeSocket(sock);

    // A body that comes whole in time is read as usual.
    ScriptedHost prompt({"0030" + body, 34, 0ms});
    sock = connectAndAsk(prompt);
    shape.cipherMode = 0;
    EXPECT_EQ(vtx::cli::readReply(sock, shape, 5000, buffer.data(), trace, "T"), 34);
    EXPECT_EQ(std::string(buffer.data()), "0030" + body);
    vtx::cli::closeSocket(sock);
}

TEST(ReplyDeadline, NoDesReplyIsNoServerWhateverTheHostDoes) {
    Station station;
    for (auto end : {ScriptedHost::End::Hold, ScriptedHost::End::Close, ScriptedHost::End::Reset}) {
        for (const char* cript : {"0", "2"}) {
            ScriptedHost host({"", 0, 0ms, end});
            routeTo(station, host, cript);
            auto e = send(kDeadlineSale);
            EXPECT_EQ(e.result, VX_NO_SERVER)
                << "cipher " << cript << ", end " << static_cast<int>(end);
            EXPECT_TRUE(e.reply.empty());
        }
    }
}

TEST(ReplyDeadline, ADesPayloadShorterThanItsDigitsIsShort) {
    Station station;
    for (const std::string payload : {"1", "12", "123"}) {
        ScriptedHost host({desFrame(payload), 64, 0ms, ScriptedHost::End::Close});
        routeTo(station, host, "2");
        auto e = send(kDeadlineSale);
        EXPECT_EQ(e.result, 4) << payload;
        EXPECT_TRUE(e.reply.empty()) << payload;
    }
    ScriptedHost whole({desFrame(kReply), 64, 0ms, ScriptedHost::End::Close});
    routeTo(station, whole, "2");
    auto e = send(kDeadlineSale);
    EXPECT_EQ(e.result, static_cast<int>(kReply.size()));
    EXPECT_EQ(e.reply, kReply);
}
