// The listener's bounds: relay threads at most MaxConnections at a time,
// connections that send nothing (or too little) kept apart from them in a
// bounded waiting room, the ending flag, and the failure it reports. (Many
// terminals at once, with thread and descriptor counts, are tested on the
// program.)
#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

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

    RawTerminal waiting(port());  // whole, waiting for a free relay
    ASSERT_TRUE(waiting.send(tpdu("CHK", "OPA", "THIRD")));
    ASSERT_TRUE(eventually([&] { return listener->waitingConnections() == 1; }));
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

TEST_F(ListenerLoad, SilentConnectionsTakeNoRelayFromATerminalThatSends) {
    start();  // 256 relays, a 10-second request deadline
    const std::string full = tpdu("CHK", "OPA", std::string(100, 'x'));
    std::vector<std::unique_ptr<RawTerminal>> idle;
    for (int i = 0; i < 300; ++i) {
        idle.push_back(std::make_unique<RawTerminal>(port()));
        ASSERT_TRUE(idle.back()->connected());
        // Some send part of a request and stop.
        if (i % 3 == 1) idle.back()->send(full.substr(0, 2));
        if (i % 3 == 2) idle.back()->send(full.substr(0, 60));
    }
    ASSERT_TRUE(eventually([&] { return listener->waitingConnections() == 300; }));
    EXPECT_EQ(listener->activeRelays(), 0u);

    RawTerminal terminal(port());
    ASSERT_TRUE(terminal.send(tpdu("CHK", "OPB", "SENDS")));
    const std::string reply = terminal.readToEnd(5s);
    ASSERT_GE(reply.size(), 5u);
    EXPECT_EQ(reply.substr(reply.size() - 5), "SENDS");
    EXPECT_EQ(host.calls(), 1);
}

TEST_F(ListenerLoad, AFullWaitingRoomLetsTheLongestWaitingGoButNeverAWholeRequest) {
    ListenerOptions options;
    options.maxRelays = 1;
    options.maxWaiting = 3;
    start(options);
    std::string held;
    std::thread inFlight([&] { held = exchangeBytes(port(), tpdu("CHK", "OPA", "HOLD-1")); });
    ASSERT_TRUE(eventually([&] { return host.calls() == 1; }));

    RawTerminal whole(port());  // waits, whole, for the one relay
    ASSERT_TRUE(whole.send(tpdu("CHK", "OPA", "WHOLE")));
    ASSERT_TRUE(eventually([&] { return listener->waitingConnections() == 1; }));
    RawTerminal oldest(port());
    ASSERT_TRUE(eventually([&] { return listener->waitingConnections() == 2; }));
    RawTerminal younger(port());
    ASSERT_TRUE(eventually([&] { return listener->waitingConnections() == 3; }));

    // A fourth: the oldest silent one makes room.
    RawTerminal newcomer(port());
    EXPECT_TRUE(oldest.closedWithin(5s));
    ASSERT_TRUE(newcomer.send(tpdu("CHK", "OPA", "NEW")));
    EXPECT_TRUE(younger.connected());

    host.release();
    inFlight.join();
    EXPECT_EQ(whole.readToEnd().substr(19), "R|CHK|OPA     |WHOLE");
    EXPECT_EQ(newcomer.readToEnd().substr(19), "R|CHK|OPA     |NEW");
    EXPECT_EQ(held.substr(19), "R|CHK|OPA     |HOLD-1");
}

TEST_F(ListenerLoad, EndingLetsGoOfTerminalsThatSendNothing) {
    start();
    RawTerminal one(port()), two(port()), three(port());
    ASSERT_TRUE(eventually([&] { return listener->waitingConnections() == 3; }));
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
