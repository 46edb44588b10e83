// Terminals that do what an attacker would: random bytes, truncated frames,
// lengths 0, 9999, non-digits and 0xFFFF, requests one byte per write,
// closes mid-frame, and a burst of connections that close at once. The relay
// answers what it can, drops the rest, and afterwards serves a good request
// with its threads and descriptors back at their idle counts.
#include <gtest/gtest.h>

#include <dirent.h>

#include <random>
#include <string>

#include "RelayTestFixture.h"
#include "vtx/linkagent/TerminalFrame.h"

namespace vtx::linkagent::test {
namespace {

using namespace std::chrono_literals;

constexpr int kHostileConnections = 400;
constexpr int kBurstConnections = 2000;

int entries(const char* folder) {
    DIR* dir = ::opendir(folder);
    if (dir == nullptr) return -1;
    int n = 0;
    while (const dirent* e = ::readdir(dir)) {
        if (e->d_name[0] != '.') ++n;
    }
    ::closedir(dir);
    return n - 1;  // the directory's own descriptor while it is read
}

int threads() {
    return entries("/proc/self/task") + 1;
}
int descriptors() {
    return entries("/proc/self/fd");
}

class HostileTerminals : public RelayFixture {
protected:
    void startWith(DataType type) {
        framing_ = {type, 4};
        ListenerOptions options;
        options.relay.framing = framing_;
        // Terminals that stop mid-frame are let go soon.
        options.relay.requestTimeout = 300ms;
        start(options);
        idleThreads_ = threads();
        idleDescriptors_ = descriptors();
    }

    // The request of `message` in this framing.
    std::string request(const std::string& message) const {
        const std::string frame = tpdu("CHK", "OPA", message);
        if (framing_.dataType == DataType::Numeric) return frame;
        std::string length(2, '\0');
        const size_t count = frame.size() - 4;
        length[0] = static_cast<char>(count & 0xFF);
        length[1] = static_cast<char>(count >> 8);
        return length + frame.substr(4);
    }

    // What the relay answers to `message` (the fake host echoes it).
    std::string reply(const std::string& message) const {
        const std::string echo = "R|CHK|OPA     |" + message;
        char inner[8];
        std::snprintf(inner, sizeof inner, "%04zu", echo.size());
        return *replyFrame(framing_, "CHKOPA     ", inner + echo);
    }

    // A good request is answered, and the relay returns to idle.
    void expectServedAndIdle() {
        EXPECT_EQ(exchangeBytes(port(), request("GOOD")), reply("GOOD"));
        EXPECT_TRUE(eventually([&] {
            return listener->activeRelays() == 0 && listener->waitingConnections() == 0 &&
                   threads() == idleThreads_ && descriptors() == idleDescriptors_;
        })) << "threads "
            << threads() << " (idle " << idleThreads_ << "), descriptors " << descriptors()
            << " (idle " << idleDescriptors_ << ")";
        EXPECT_TRUE(fatals().empty());
    }

    void hostileRound(unsigned seed) {
        std::mt19937 random(seed);
        auto pick = [&](size_t bound) {
            return std::uniform_int_distribution<size_t>(0, bound - 1)(random);
        };
        auto bytes = [&](size_t n) {
            std::string b(n, '\0');
            for (char& c : b) c = static_cast<char>(pick(256));
            return b;
        };
        const bool numeric = framing_.dataType == DataType::Numeric;
        int answered = 0;
        for (int i = 0; i < kHostileConnections; ++i) {
            const std::string message = "M" + std::to_string(i) + std::string(pick(200), 'x');
            const std::string good = request(message);
            RawTerminal terminal(port());
            ASSERT_TRUE(terminal.connected()) << "connection " << i << " seed " << seed;
            switch (pick(9)) {
                case 0:
                    terminal.send(bytes(1 + pick(64)));
                    break;
                case 1:
                    terminal.send(good.substr(0, 1 + pick(good.size() - 1)));
                    break;
                case 2:
                    terminal.send((numeric ? "0000" : std::string(2, '\0')) + bytes(pick(20)));
                    break;
                case 3:
                    terminal.send((numeric ? "9999" : "\x0F\x27") + bytes(pick(20)));
                    break;
                case 4:
                    terminal.send("12x4CHKOPA     " + bytes(pick(20)));
                    break;
                case 5:
                    terminal.send("\xFF\xFF" + bytes(pick(20)));
                    break;
                case 6:
                    terminal.send(good.substr(0, numeric ? 4 : 2));
                    break;  // header, then close
                case 7:     // one byte per write, then the reply
                    for (char c : good) terminal.send(std::string(1, c));
                    EXPECT_EQ(terminal.readToEnd(10s), reply(message))
                        << "connection " << i << " seed " << seed;
                    ++answered;
                    break;
                default:
                    terminal.send(good);
                    EXPECT_EQ(terminal.readToEnd(10s), reply(message))
                        << "connection " << i << " seed " << seed;
                    ++answered;
                    break;
            }
        }
        EXPECT_GT(answered, 0);
        // Only whole requests reach the host.
        EXPECT_EQ(host.calls(), answered);
        std::printf("%d of %d connections answered\n", answered, kHostileConnections);
    }

    TerminalFraming framing_;
    int idleThreads_ = 0;
    int idleDescriptors_ = 0;
};

TEST_F(HostileTerminals, NumericFramesOfEveryShapeLeaveTheRelayServing) {
    startWith(DataType::Numeric);
    hostileRound(20261208u);
    expectServedAndIdle();
}

TEST_F(HostileTerminals, BinaryFramesOfEveryShapeLeaveTheRelayServing) {
    startWith(DataType::Binary);
    hostileRound(20261209u);
    expectServedAndIdle();
}

TEST_F(HostileTerminals, ABurstOfConnectionsClosedAtOnceLeavesTheRelayServing) {
    startWith(DataType::Numeric);
    for (int i = 0; i < kBurstConnections; ++i) {
        RawTerminal terminal(port());
        ASSERT_TRUE(terminal.connected()) << "connection " << i;
    }
    expectServedAndIdle();
}

}  // namespace
}  // namespace vtx::linkagent::test
