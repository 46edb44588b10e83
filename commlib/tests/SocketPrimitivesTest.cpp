// The exported socket primitives and EnviaDireto, as another program drives
// them over a connection of its own.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "vtx/commlib/testing/HostExchange.h"
#include "vx32_cli.h"

using vtx::cli::test::HostFixture;
using vtx::hostsim::HostSimPort;

namespace {

HostSimPort hostPort(const char* section, int cript) {
    HostSimPort p;
    p.section = section;
    p.cript = cript;
    return p;
}

// A listening socket that never accepts: connections complete in the
// backlog and nothing is ever read.
int silentListener(int& port) {
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(s, 4);
    socklen_t len = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    port = ntohs(a.sin_port);
    return s;
}

}  // namespace

TEST(SocketPrimitives, EncipheredExchangeByHand) {
    HostFixture f({hostPort("des", 2)});
    VxConnectionProfile profile{};
    profile.cipherMode = 2;  // TefSocket loads the (default) master key
    int sock = TefSocket(&profile);
    ASSERT_GE(sock, 0);
    ASSERT_EQ(TefConnect(sock, "127.0.0.1", f.port("des"), 2000), 0);
    const std::string payload = "0013000-000=0800;";
    EXPECT_EQ(TefSend(sock, payload.data(), static_cast<int>(payload.size()), "1234567", 5),
              static_cast<int>(payload.size()));
    std::vector<char> reply(VX_BUFFER_SIZE, '\0');
    int n = TefReceive(sock, reply.data(), 0, 5, 1);
    ASSERT_GT(n, 4);
    EXPECT_EQ(std::string(reply.data() + 4, 13), "000-000=0800;");
    char text[16];
    EXPECT_EQ(TefGetSock(text), 0);
    EXPECT_EQ(std::string(text), std::to_string(sock));
    EXPECT_EQ(TefGetLastError(), 0);
    EXPECT_EQ(TefClose(sock), 0);
}

TEST(SocketPrimitives, ConnectRefusedGivesTheWinsockCode) {
    int port = 0;
    int listener = silentListener(port);
    ::close(listener);  // nothing listens there any more
    VxConnectionProfile profile{};
    int sock = TefSocket(&profile);
    EXPECT_EQ(TefConnect(sock, "127.0.0.1", port, 400), 10061);
    EXPECT_EQ(TefGetLastError(), 10061);
    TefClose(sock);
}

TEST(SocketPrimitives, WaitsReportTimeOutsDifferently) {
    int port = 0;
    int listener = silentListener(port);
    VxConnectionProfile profile{};
    int sock = TefSocket(&profile);
    ASSERT_EQ(TefConnect(sock, "127.0.0.1", port, 2000), 0);

    EXPECT_EQ(WaitToReceive(sock, 1), 0);
    EXPECT_EQ(TefGetLastError(), 0);

    // Fill the connection until nothing more fits; then a send wait times out.
    std::vector<char> block(1 << 16, 'x');
    for (int i = 0; i < 2000 && ::send(sock, block.data(), block.size(), MSG_DONTWAIT) > 0; ++i) {
    }
    EXPECT_EQ(WaitToSend(sock, 1), 0);
    EXPECT_EQ(TefGetLastError(), 10060);
    TefClose(sock);
    ::close(listener);
}

TEST(EnviaDireto, ExchangesOverTheCallersSocketAndKeepsItOpen) {
    HostFixture f({hostPort("plain", 0), hostPort("shift", 1)});
    for (const char* section : {"plain", "shift"}) {
        VxConnectionProfile profile{};
        int sock = TefSocket(&profile);
        std::vector<char> buffer(VX_BUFFER_SIZE, '\0');
        std::strcpy(buffer.data(), "0013000-000=0100;");
        int cript = std::string(section) == "shift" ? 1 : 0;
        EXPECT_EQ(
            EnviaDireto(buffer.data(), "127.0.0.1", f.port(section), cript, sock, -1, &profile), 0)
            << section;
        EXPECT_NE(std::string(buffer.data()).find("009-000=00;"), std::string::npos) << section;
        EXPECT_EQ(profile.attempts, 1);
        EXPECT_STREQ(profile.address2, "127.0.0.1");
        // Still open on our side: once the host closes, a read sees the end
        // of the stream (0), not a closed descriptor (-1).
        pollfd p{sock, POLLIN, 0};
        ASSERT_EQ(::poll(&p, 1, 2000), 1);
        char probe;
        EXPECT_EQ(::recv(sock, &probe, 1, 0), 0);
        TefClose(sock);
    }
}

// The profile holds 40 characters of an address: a longer host is never
// connected to as cut there. The name below, cut at 40 and its trailing
// blanks dropped, would be the host fixture's own address.
TEST(EnviaDireto, RefusesToConnectToAHostCutToTheProfilesLength) {
    HostFixture f({hostPort("plain", 0)});
    const std::string host = "127.0.0.1" + std::string(31, ' ') + ".elsewhere.invalid";
    VxConnectionProfile profile{};
    int sock = TefSocket(&profile);
    std::vector<char> buffer(VX_BUFFER_SIZE, '\0');
    std::strcpy(buffer.data(), "0013000-000=0100;");
    EXPECT_EQ(EnviaDireto(buffer.data(), host.c_str(), f.port("plain"), 0, sock, -1, &profile), -1);
    EXPECT_STREQ(buffer.data(), "0013000-000=0100;");
    TefClose(sock);
}
