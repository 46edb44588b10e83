// CSocket over loopback: the operations the listener and relay rely on, and
// the errors they store.
#include <gtest/gtest.h>
#include <netinet/in.h>

#include <thread>

#include "vtx/linkagent/CSocket.h"
#include "vtx/platform/SocketError.h"

namespace vtx::linkagent {
namespace {

using namespace std::chrono_literals;

// A listening CSocket on a free loopback port.
struct Server {
    Server() {
        EXPECT_EQ(listening.Create(0, SOCK_STREAM, "127.0.0.1"), 1);
        EXPECT_EQ(listening.Listen(5), 1);
        sockaddr_in name{};
        socklen_t length = sizeof name;
        ::getsockname(listening.ObtemNumeroSocket(), reinterpret_cast<sockaddr*>(&name), &length);
        port = ntohs(name.sin_port);
    }
    ~Server() { listening.Close(); }
    CSocket listening;
    int port = 0;
};

TEST(CSocket, StartsUnconnectedWithUnknownPeer) {
    CSocket s;
    EXPECT_EQ(s.ObtemNumeroSocket(), CSocket::kInvalidSocket);
    EXPECT_EQ(static_cast<unsigned int>(s), 0xFFFFFFFFu);
    EXPECT_EQ(s.IsSocketConnected(), 0);
    EXPECT_EQ(s.ObtemUltimoErro(), 0);
    EXPECT_EQ(s.peerAddress(), "DESCONHECIDO");
}

TEST(CSocket, ConnectAcceptConfigAndExactTransfer) {
    Server server;
    CSocket client;
    ASSERT_EQ(client.CreateToConnect(), 1);
    ASSERT_EQ(client.Connect("127.0.0.1", server.port), 1);
    ASSERT_EQ(server.listening.WaitToReceive(1000000), 1);
    std::string peer;
    int accepted = server.listening.Accept(&peer);
    ASSERT_NE(accepted, CSocket::kInvalidSocket);
    EXPECT_EQ(peer, "127.0.0.1");

    CSocket relay;
    EXPECT_EQ(relay.Attach(accepted), 1);
    EXPECT_EQ(relay.IsSocketConnected(), 1);
    relay.Config();
    EXPECT_EQ(relay.peerAddress(), "127.0.0.1");
    EXPECT_EQ(relay.localAddress(), "127.0.0.1");

    // Two sends, one exact read across them.
    EXPECT_EQ(client.Send("0123", 4), 4);
    std::thread later([&] {
        std::this_thread::sleep_for(50ms);
        client.Send("456789", 6);
    });
    char got[10];
    EXPECT_EQ(relay.Receive(got, 10, CSocket::Clock::now() + 20s), 10);
    later.join();
    EXPECT_EQ(std::string(got, 10), "0123456789");

    // A copy shares the handle; the destructor of neither closes it.
    CSocket copy = relay;
    EXPECT_EQ(copy.ObtemNumeroSocket(), relay.ObtemNumeroSocket());
    EXPECT_EQ(copy.Send("ok", 2), 2);
    char ok[2];
    EXPECT_EQ(client.Receive(ok, 2, CSocket::Clock::now() + 20s), 2);
    relay.Close();
    EXPECT_EQ(relay.IsSocketConnected(), 0);
    EXPECT_EQ(relay.ObtemNumeroSocket(), CSocket::kInvalidSocket);
    client.Close();
}

TEST(CSocket, ReceiveStopsOnTimeOutAndOnPeerClose) {
    Server server;
    CSocket client;
    ASSERT_EQ(client.CreateToConnect(), 1);
    ASSERT_EQ(client.Connect("127.0.0.1", server.port), 1);
    CSocket relay;
    relay.Attach(server.listening.Accept(nullptr));

    char buffer[8];
    // Nothing comes: a 1-ms wait times out with 10060.
    EXPECT_EQ(relay.Receive(buffer, 8), 0);
    EXPECT_EQ(relay.ObtemUltimoErro(), vtx::platform::kWsaEtimedout);
    EXPECT_EQ(relay.WaitToReceive(2000), 0);
    EXPECT_EQ(relay.ObtemUltimoErro(), vtx::platform::kWsaEtimedout);

    // Part of the bytes, then the peer closes: 0 with last error 1.
    client.Send("abc", 3);
    client.Close();
    EXPECT_EQ(relay.Receive(buffer, 8, CSocket::Clock::now() + 20s), 0);
    EXPECT_EQ(relay.ObtemUltimoErro(), CSocket::kPeerClosed);
    relay.Close();
}

TEST(CSocket, FailuresStoreWinsockNumbers) {
    Server server;
    CSocket second;
    EXPECT_EQ(second.Create(server.port, SOCK_STREAM, "127.0.0.1"), 0);
    EXPECT_EQ(second.ObtemUltimoErro(), vtx::platform::kWsaEaddrinuse);
    EXPECT_EQ(second.ObtemNumeroSocket(), CSocket::kInvalidSocket);  // nothing left open

    CSocket bad;
    EXPECT_EQ(bad.Create(0, SOCK_STREAM, "not-an-address"), 0);
    EXPECT_EQ(bad.ObtemUltimoErro(), vtx::platform::kWsaEaddrnotavail);

    // A port nobody listens on refuses.
    Server gone;
    const int port = gone.port;
    gone.listening.Close();
    CSocket client;
    ASSERT_EQ(client.CreateToConnect(), 1);
    EXPECT_EQ(client.Connect("127.0.0.1", port), 0);
    EXPECT_EQ(client.ObtemUltimoErro(), vtx::platform::kWsaEconnrefused);
    client.Close();
}

}  // namespace
}  // namespace vtx::linkagent
