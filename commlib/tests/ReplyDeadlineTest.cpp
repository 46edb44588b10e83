// How long the library waits for a reply, and what it reports when a host
// drips, holds, closes or resets: a scripted loopback host plays each case.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DesFrame.h"
#include "HostExchange.h"
#include "MasterKey.h"
#include "ReplyReader.h"
#include "ScriptedHost.h"
#include "SocketIo.h"
#include "ThreadState.h"
#include "vx32_cli.h"

using vx::test::ScriptedHost;
using vx::test::send;
using vx::test::Station;
using namespace std::chrono_literals;

namespace {

const std::string kSale = "000-000=0200;011-000=003000;";
const std::string kReply = "0011009-000=00;";

std::string desFrame(const std::string& payload) {
    return vx::wire::buildDesFrame(vx::wire::kDefaultMasterKey, "\0\0\0\0\0\0\0\0", payload);
}

// A route to the host with the 1-second time-out of Station::route.
void routeTo(Station& station, const ScriptedHost& host, const char* cript) {
    station.writeRoutes({Station::route("OPA", host.port(), cript)});
}

}  // namespace

TEST(ReplyDeadline, NoDesReplyIsNoServerWhateverTheHostDoes) {
    Station station;
    for (auto end : {ScriptedHost::End::Hold, ScriptedHost::End::Close, ScriptedHost::End::Reset}) {
        for (const char* cript : {"0", "2"}) {
            ScriptedHost host({"", 0, 0ms, end});
            routeTo(station, host, cript);
            auto e = send(kSale);
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
        auto e = send(kSale);
        EXPECT_EQ(e.result, 4) << payload;
        EXPECT_TRUE(e.reply.empty()) << payload;
    }
    ScriptedHost whole({desFrame(kReply), 64, 0ms, ScriptedHost::End::Close});
    routeTo(station, whole, "2");
    auto e = send(kSale);
    EXPECT_EQ(e.result, static_cast<int>(kReply.size()));
    EXPECT_EQ(e.reply, kReply);
}
