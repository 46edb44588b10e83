// The program end to end over loopback: a terminal's Process (access type 2)
// or raw frames -> LinkAgent -> Process_Server -> vtx-hostsim and back.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "AgentStation.h"
#include "Eventually.h"
#include "vtx/linkagent/testing/RelayFakes.h"
#include "vtx/platform/Reachability.h"
#include "vx32_cli.h"

namespace vtx::linkagent::test {
namespace {

using namespace std::chrono_literals;
using vtx::cli::test::send;

class AgentRelay : public AgentStation {};

// "%04d" of n.
std::string four(size_t n) {
    char text[8];
    std::snprintf(text, sizeof text, "%04zu", n);
    return text;
}

TEST_F(AgentRelay, NumericLenSize4CarriesProcessToTheHostAndBack) {
    startAgent();
    auto e = send(saleRequest(), "OPA", "CHK");
    ASSERT_GT(e.result, 0) << agent->errors();
    EXPECT_EQ(e.reply.substr(0, 4), four(e.reply.size() - 4));
    EXPECT_NE(e.reply.find("000-000=0200;011-000=003000;009-000=00;"), std::string::npos)
        << e.reply;
    ASSERT_FALSE(fixture.host.records("host").empty());
    EXPECT_EQ(fixture.host.records("host").back().message, saleRequest());

    // On the wire: four digits, the same service and code, the framed reply.
    const std::string reply = exchangeBytes(agentPort(), tpdu("ADM", "OPA", saleRequest("000777")));
    ASSERT_GT(reply.size(), 19u) << reply;
    EXPECT_EQ(reply.substr(0, 4), four(reply.size() - 4));
    EXPECT_EQ(reply.substr(4, 11), "ADMOPA     ");
    EXPECT_EQ(reply.substr(15, 4), four(reply.size() - 19));
    EXPECT_NE(reply.find("011-000=000777;009-000=00;"), std::string::npos);
    EXPECT_EQ(agent->waitForCount("message: Enviando resposta.", 2), 2);
}

TEST_F(AgentRelay, BinaryLengthsForDataTypesBAndH) {
    for (const char* type : {"B", "H"}) {
        SCOPED_TRACE(type);
        startAgent(type, "4");
        const std::string body = tpdu("CHK", "OPA", saleRequest("000042")).substr(4);
        const std::string frame = std::string(1, static_cast<char>(body.size())) + '\0' + body;
        const std::string reply = exchangeBytes(agentPort(), frame);
        ASSERT_GT(reply.size(), 17u) << reply;
        const size_t count = static_cast<unsigned char>(reply[0]) |
                             static_cast<size_t>(static_cast<unsigned char>(reply[1])) << 8;
        EXPECT_EQ(count, reply.size() - 2);
        EXPECT_EQ(reply.substr(2, 11), "CHKOPA     ");
        EXPECT_EQ(reply.substr(13, 4), four(reply.size() - 17));
        EXPECT_NE(reply.find("011-000=000042;009-000=00;"), std::string::npos);
        EXPECT_EQ(agent->stop(SIGTERM), 0);
    }
}

TEST_F(AgentRelay, HostFailuresArriveAsTheFourCharacterCodes) {
    startAgent();
    // No route for the operator: no server.
    EXPECT_EQ(exchangeBytes(agentPort(), tpdu("CHK", "NOROUTE", saleRequest())), "-163");
    EXPECT_EQ(send(saleRequest(), "NOROUTE", "CHK").result, VX_NO_SERVER);
    // A host that answers the probe but refuses the port.
    const bool probe = vtx::platform::probeHost("127.0.0.1");
    const std::string refused = probe ? "-164" : "-163";
    EXPECT_EQ(exchangeBytes(agentPort(), tpdu("CHK", "OPR", saleRequest())), refused);
    auto e = send(saleRequest(), "OPR", "CHK");
    EXPECT_EQ(e.result, probe ? VX_SERVER_REFUSING : VX_NO_SERVER);
    EXPECT_TRUE(e.reply.empty());
    EXPECT_EQ(agent->waitForCount("message: Enviando erro [" + refused + "]", 2), 2);
}

TEST_F(AgentRelay, BrokenTerminalFramesAreDroppedAndOthersServed) {
    startAgent();
    const size_t before = fixture.host.records("host").size();  // the start-up logon's
    RawTerminal oversize(agentPort());
    oversize.send("3088CHKOPA     ");
    RawTerminal truncated(agentPort());
    truncated.send(tpdu("CHK", "OPA", saleRequest()).substr(0, 20));
    {
        RawTerminal cutAndGone(agentPort());
        cutAndGone.send("0100CHKOPA");
    }

    EXPECT_GT(send(saleRequest(), "OPA", "CHK").result, 0);
    EXPECT_TRUE(oversize.closedWithin(5s));  // not after the 10 s request time-out
    EXPECT_EQ(oversize.readToEnd(100ms), "");
    EXPECT_GT(send(saleRequest("000002"), "OPA", "CHK").result, 0);
    EXPECT_EQ(fixture.host.records("host").size(), before + 2);  // nothing of the broken ones
}

TEST_F(AgentRelay, SixtyFourTerminalsForABoundedTime) {
    startAgent();
    // The start-up logon's thread may still be ending: the idle figures are
    // taken once the thread count holds still between two looks. A thread
    // still ending only makes them higher than the figures after the load.
    int idleThreads = agent->threadCount();
    vtx::test::eventually([&] {
        std::this_thread::sleep_for(50ms);
        const int threads = agent->threadCount();
        const bool still = threads == idleThreads;
        idleThreads = threads;
        return still;
    });
    const int idleDescriptors = agent->descriptorCount();

    constexpr int kTerminals = 64, kMostRounds = 100;
    const auto until = std::chrono::steady_clock::now() + 3s;
    std::atomic<int> done{0}, wrong{0};
    std::vector<std::thread> terminals;
    for (int t = 0; t < kTerminals; ++t) {
        terminals.emplace_back([&, t] {
            // Every terminal sends at least once, however late its thread starts.
            for (int r = 0; r < kMostRounds && (r == 0 || std::chrono::steady_clock::now() < until);
                 ++r) {
                char tag[24];  // 6 characters; room for any int, so no truncation warning
                std::snprintf(tag, sizeof tag, "%02d%04d", t, r);
                auto e = send(saleRequest(tag), "OPA", "CHK");
                const bool own = e.result > 0 && e.reply.find(std::string("011-000=") + tag +
                                                              ";") != std::string::npos;
                own ? ++done : ++wrong;
            }
        });
    }
    for (auto& t : terminals) t.join();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_GE(done.load(), kTerminals);

    // Every relay thread ends and every connection is closed.
    int threads = 0, descriptors = 0;
    vtx::test::eventually([&] {
        threads = agent->threadCount();
        descriptors = agent->descriptorCount();
        return threads <= idleThreads && descriptors <= idleDescriptors;
    });
    EXPECT_LE(threads, idleThreads);
    EXPECT_LE(descriptors, idleDescriptors);
    // Closes clean: under ThreadSanitizer a race would make this non-zero.
    EXPECT_EQ(agent->stop(SIGTERM), 0) << agent->errors();
}

TEST_F(AgentRelay, SilentConnectionsCostNoThreadAndDelayNoTerminal) {
    startAgent();
    const int idleThreads = agent->threadCount();
    const int idleDescriptors = agent->descriptorCount();
    // More than the 256 relays, each connected and sending nothing.
    std::vector<std::unique_ptr<RawTerminal>> silent;
    for (int i = 0; i < 300; ++i) silent.push_back(std::make_unique<RawTerminal>(agentPort()));
    ASSERT_TRUE(vtx::test::eventually(
        [&] { return agent->descriptorCount() >= idleDescriptors + 300; }))
        << agent->descriptorCount() << " descriptors, " << idleDescriptors << " when idle";
    EXPECT_EQ(agent->threadCount(), idleThreads);

    // The terminal's library gives up after its 10-second time-out.
    auto e = send(saleRequest(), "OPA", "CHK");
    EXPECT_GT(e.result, 0) << e.reply;
    EXPECT_NE(e.reply.find("011-000=003000;009-000=00;"), std::string::npos) << e.reply;
    EXPECT_EQ(agent->stop(SIGTERM), 0) << agent->errors();
}

TEST_F(AgentRelay, LogonRequestIsAnsweredOkAndStartsNoSecondLogonWhileOneRuns) {
    station.root().writeFile("C/Vantrix/LOG/.keep", "");
    station.setCore("ShellFile", "LOGENABLE", "true");
    startAgent();
    const size_t startUp = fixture.host.records("host").size();
    ASSERT_GT(startUp, 0u);  // the start-up logon exchanged with the host

    // A slow logon: pauses between its exchanges.
    station.setCore("CONFIG", "DELAY_INICIALIZACAO", "700");
    auto e = send("LOGIN|OPA", "OPA", "CHK");
    EXPECT_EQ(e.result, 6);
    EXPECT_EQ(e.reply, "0002OK");
    EXPECT_EQ(exchangeBytes(agentPort(), "0006LOGIN|"), "0002OK");
    EXPECT_EQ(agent->waitForCount("message: Iniciando Login.", 2), 2);

    // One more logon ran (asking only for newer tables); the second request
    // found it running.
    EXPECT_EQ(agent->waitForCount("logon: ", 2, 20s), 2);
    EXPECT_EQ(agent->waitForCount("logon: ", 3, 1500ms), 2);
    EXPECT_GT(fixture.host.records("host").size(), startUp);
    EXPECT_EQ(agent->stop(SIGTERM), 0);
    const std::string log = logText();
    EXPECT_NE(log.find("|Trata login iniciada duas vezes."), std::string::npos) << log;
    EXPECT_NE(log.find("|Finalizando Trata Login."), std::string::npos);
}

}  // namespace
}  // namespace vtx::linkagent::test
