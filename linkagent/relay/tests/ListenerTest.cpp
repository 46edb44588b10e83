// The listener's bounds: relay threads at most MaxConnections at a time,
// the ending flag, and the failure it reports. (Many terminals at once, with
// thread and descriptor counts, are tested on the program.)
#include <gtest/gtest.h>

#include <thread>

#include "RelayTestFixture.h"

namespace vtx::linkagent::test {
namespace {

using namespace std::chrono_literals;

class ListenerLoad : public RelayFixture {};

TEST_F(ListenerLoad, ConnectionsBeyondTheBoundWaitForAFreeRelay) {
    ListenerOptions options;
    options.maxRelays = 2;
    start(options);
    std::string first, second, third;
    std::thread a([&] { first = exchangeBytes(port(), tpdu("CHK", "OPA", "HOLD-A")); });
    std::thread b([&] { second = exchangeBytes(port(), tpdu("CHK", "OPA", "HOLD-B")); });
    ASSERT_TRUE(eventually([&] { return host.calls() == 2; }));

    RawTerminal waiting(port());  // queued by the system, not yet accepted
    ASSERT_TRUE(waiting.send(tpdu("CHK", "OPA", "THIRD")));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(host.calls(), 2);
    EXPECT_EQ(listener->activeRelays(), 2u);

    host.release();
    third = waiting.readToEnd();
    a.join();
    b.join();
    EXPECT_EQ(third.substr(third.size() - 5), "THIRD");
    EXPECT_EQ(first.substr(first.size() - 6), "HOLD-A");
    EXPECT_EQ(second.substr(second.size() - 6), "HOLD-B");
    EXPECT_LE(host.mostAtOnce(), 2);
}

TEST_F(ListenerLoad, EndingLetsGoOfTerminalsThatSendNothing) {
    start();
    RawTerminal one(port()), two(port()), three(port());
    ASSERT_TRUE(eventually([&] { return listener->activeRelays() == 3; }));
    ending = true;
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_TRUE(listener->join(20s));
    // Well before the 10 s request time-out would let them go.
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 5s);
    EXPECT_TRUE(one.closedWithin(5s));
    EXPECT_TRUE(three.closedWithin(5s));
    EXPECT_EQ(host.calls(), 0);
}

TEST_F(ListenerLoad, APortInUseIsReportedAsTheMainSocketError) {
    start();
    ListenerOptions options;
    options.port = port();
    options.address = "127.0.0.1";
    std::vector<std::string> reported;
    ListenerHooks hooks;
    hooks.fatal = [&](const std::string& text) { reported.push_back(text); };
    std::atomic<bool> otherEnding{false};
    Listener second(*services, options, hooks, otherEnding);
    EXPECT_FALSE(second.open());
    EXPECT_EQ(reported, std::vector<std::string>{"[10048] - Erro criando Socket Principal"});
}

}  // namespace
}  // namespace vtx::linkagent::test
