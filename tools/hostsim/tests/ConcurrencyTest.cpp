// Many clients at once, slow clients, and a prompt, clean shutdown.
#include <chrono>
#include <latch>
#include <set>
#include <thread>
#include <vector>

#include "Eventually.h"
#include "FieldMessage.h"
#include "Frames.h"
#include "HostFixture.h"

namespace vtx::hostsim::test {
namespace {

using namespace vtx::wire;

class ConcurrencyTest : public HostFixture {};

TEST_F(ConcurrencyTest, EachOfManySimultaneousClientsGetsItsOwnReply) {
    constexpr int kClients = 32;
    HostSimPort cfg = hostPort("main");
    cfg.workers = kClients;
    ASSERT_TRUE(startHost({cfg}));
    const int port = host().port("main");

    std::vector<Exchange> results(kClients);
    std::latch go(kClients);
    std::vector<std::thread> clients;
    for (size_t i = 0; i < results.size(); ++i) {
        clients.emplace_back([&, i] {
            go.arrive_and_wait();
            results[i] = roundTrip(port, plainFrame(request("C" + std::to_string(i))));
        });
    }
    for (std::thread& t : clients) t.join();

    std::set<std::string> nsus;
    for (size_t i = 0; i < results.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_GE(results[i].received.size(), 4u);
        std::string reply = results[i].received.substr(4);
        EXPECT_EQ(parseAsciiLength(results[i].received), reply.size());
        FieldMessage fields(reply);
        EXPECT_EQ(fields.field("011-000"), "C" + std::to_string(i));
        nsus.insert(std::string(fields.field("012-000").value_or("")));
    }
    EXPECT_EQ(nsus.size(), static_cast<size_t>(kClients));
    EXPECT_EQ(*nsus.begin(), "000001");
    EXPECT_EQ(*nsus.rbegin(), "000032");
    EXPECT_EQ(host().records("main").size(), static_cast<size_t>(kClients));
}

TEST_F(ConcurrencyTest, SlowClientDoesNotHoldUpOthers) {
    HostSimPort cfg = hostPort("main");
    cfg.workers = 2;
    ASSERT_TRUE(startHost({cfg}));
    const int port = host().port("main");
    // Announces 50 bytes, sends 10, then holds still: connected first, it
    // keeps one worker busy until the host's 10 s limit for a request.
    HeldConnection slow(port, "0050" + std::string(10, 'x'));
    ASSERT_TRUE(slow.connected());

    const auto before = std::chrono::steady_clock::now();
    Exchange ex = roundTrip(port, plainFrame(request("1")));
    const auto took = std::chrono::steady_clock::now() - before;

    EXPECT_EQ(ex.received, plainFrame(defaultReply("1", "000001")));
    // Served one at a time, the request would wait out the slow one's 10 s.
    EXPECT_LT(took, std::chrono::seconds(8));
}

TEST_F(ConcurrencyTest, StopsPromptlyWithIdleAndBusyConnections) {
    HostSimPort delayed = hostPort("delayed");
    delayed.fault = "delay";
    delayed.delayMs = 60000;
    ASSERT_TRUE(startHost({hostPort("main"), delayed}));
    // One connection that never sends a byte, one waiting for a long delay.
    HeldConnection idle(host().port("main"), "");
    HeldConnection waiting(host().port("delayed"), plainFrame(request("1")));
    ASSERT_TRUE(idle.connected());
    ASSERT_TRUE(waiting.connected());
    // The host logs the fault before it starts waiting.
    ASSERT_TRUE(vtx::test::eventually([&] {
        for (const std::string& line : host().logLines())
            if (line.starts_with("delayed FAULT delay")) return true;
        return false;
    }));

    // stop() kills the host when SIGTERM has not ended it within 5 s, well
    // before the idle connection's 10 s limit or the 60 s delay: exit code 0
    // is a prompt, clean stop.
    EXPECT_EQ(host().stop(), 0);
}

}  // namespace
}  // namespace vtx::hostsim::test
