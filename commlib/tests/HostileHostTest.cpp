// Process against a host that answers with seeded random replies in every
// frame a route can choose: random bytes, truncated frames, announced lengths
// 0, 9999, non-digits and 0xFFFF, a header then close, 1-byte writes, closes
// and resets mid-frame, and valid frames. Each request ends with a code of
// the result table, and the caller's buffer is never written past its size.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "DesFrame.h"
#include "Frames.h"
#include "MasterKey.h"
#include "ScriptedHost.h"
#include "ShiftCipher.h"
#include "vtx/commlib/testing/HostExchange.h"
#include "vx32_cli.h"

using vtx::cli::test::ScriptedHost;
using vtx::cli::test::Station;
using namespace std::chrono_literals;

namespace {

// Requests per frame; six frames make the total.
constexpr int kRequestsPerMode = 1700;
constexpr size_t kLongestDrip = 160;
constexpr size_t kCanary = 256;
constexpr char kCanaryByte = '\xA5';
const std::string kHostileSale = "000-000=0200;011-000=003000;";
const std::string kGatewayTpdu = "6000010000";

enum class Mode { Plain, Binary, Tpdu, GatewayTpdu, Shift, Des };

const char* name(Mode mode) {
    switch (mode) {
        case Mode::Plain:
            return "plain";
        case Mode::Binary:
            return "binary";
        case Mode::Tpdu:
            return "tpdu";
        case Mode::GatewayTpdu:
            return "gateway-tpdu";
        case Mode::Shift:
            return "shift";
        case Mode::Des:
            return "des";
    }
    return "?";
}

// Draws the host's replies for one frame; runs on the host's thread only.
class HostileReplies {
public:
    HostileReplies(Mode mode, unsigned seed) : mode_(mode), random_(seed) {}
    // The host's port, whose digits key the shift cipher; set before the first request.
    void setPort(int port) { port_ = port; }

    ScriptedHost::Script next() {
        ScriptedHost::Script s;
        s.end = pick(8) == 0 ? ScriptedHost::End::Reset : ScriptedHost::End::Close;
        const std::string valid = frame(message());
        switch (pick(11)) {
            case 0:
                s.reply = bytes(1 + pick(64));
                break;
            case 1:
                s.reply = valid.substr(0, pick(valid.size()));
                break;  // truncated
            case 2:
                s.reply = withLength(ascii() ? "0000" : std::string(2, '\0'));
                break;
            case 3:
                s.reply = withLength(ascii() ? "9999" : std::string("\x0F\x27", 2));
                break;
            case 4:
                s.reply = withLength(nonDigits());
                break;
            case 5:
                s.reply = withLength("\xFF\xFF");
                break;
            case 6:
                s.reply = valid.substr(0, headerSize());
                break;  // header then close
            case 7:
                s.reply = valid;
                break;  // dripped below
            case 8:
                s.reply = frame(nonDigits() + bytes(pick(40)));
                break;  // bad inner digits
            case 9:     // what a gateway answers in place of a length
                s.reply = "-" + std::to_string(100 + pick(900));
                break;
            default:
                s.reply = valid;
                break;
        }
        if (mode_ == Mode::Shift)
            vtx::wire::shiftEncipher(s.reply.data(), s.reply.size(),
                                     vtx::wire::shiftKeyForPort(port_.load()));
        // A third of the short replies leave one byte per write (a long one
        // dripped costs a quarter of a second).
        s.burst = s.reply.size() <= kLongestDrip && pick(3) == 0 ? 0 : s.reply.size();
        s.interval = 0ms;
        s.requestGap = 0ms;  // the request arrives in one piece on loopback
        return s;
    }

private:
    size_t pick(size_t bound) {
        return bound == 0 ? 0 : std::uniform_int_distribution<size_t>(0, bound - 1)(random_);
    }
    std::string bytes(size_t n) {
        std::string b(n, '\0');
        for (char& c : b) c = static_cast<char>(pick(256));
        return b;
    }
    std::string nonDigits() {
        std::string d = "0000";
        d[pick(4)] = static_cast<char>("x -:/\xFF"[pick(6)]);
        return d;
    }
    // A message of 1 to 3072 bytes, mostly short.
    std::string message() {
        size_t size = pick(20) == 0 ? 3072 - pick(3) : 1 + pick(120);
        std::string m(size, '\0');
        for (char& c : m) c = static_cast<char>(' ' + pick(95));
        return m;
    }
    bool ascii() const {
        return mode_ == Mode::Plain || mode_ == Mode::Tpdu || mode_ == Mode::Shift;
    }
    size_t headerSize() const {
        switch (mode_) {
            case Mode::Binary:
                return 2;
            case Mode::Tpdu:
                return vtx::wire::kTpduPrefix + 4;
            case Mode::GatewayTpdu:
                return 2 + kGatewayTpdu.size() / 2 + 4;
            case Mode::Des:
                return vtx::wire::kDesHeaderSize;
            default:
                return 4;
        }
    }
    // A random head in place of the outer length, then some bytes.
    std::string withLength(const std::string& head) { return head + bytes(pick(64)); }

    std::string frame(const std::string& m) const {
        switch (mode_) {
            case Mode::Binary:
                return vtx::wire::binaryLengthFrame(m);
            case Mode::Tpdu:
                return vtx::wire::tpduFrame("CHK", "OPA", m);
            case Mode::GatewayTpdu:
                return vtx::wire::gatewayTpduFrame(*vtx::wire::hexToBytes(kGatewayTpdu), m);
            case Mode::Des:
                return vtx::wire::buildDesFrame(vtx::wire::kDefaultMasterKey, "\0\0\0\0\0\0\0\0",
                                                vtx::wire::plainFrame(m));
            default:
                return vtx::wire::plainFrame(m);
        }
    }

    Mode mode_;
    std::atomic<int> port_{0};
    std::mt19937 random_;
};

// The station's settings that make requests go out in `mode` to `port`.
void configure(Station& station, Mode mode, int port) {
    switch (mode) {
        case Mode::Tpdu:
            station.setCore("Config", "ACESS_TYPE", "2");
            station.setCore("LOCAL", "Address", "127.0.0.1");
            station.setCore("LOCAL", "Port", std::to_string(port));
            station.setCore("LOCAL", "TimeOut", "1");
            break;
        case Mode::Binary:
            station.setCore("CONFIG", "SIZE_TYPE_CHK", "1");
            station.writeRoutes({Station::route("OPA", port)});
            break;
        case Mode::GatewayTpdu:
            station.setCore("Config", "GATEWAY", std::to_string(kGatewayTpdu.size() / 2));
            station.setCore("Config", "TPDU_CHK", kGatewayTpdu);
            station.writeRoutes({Station::route("OPA", port)});
            break;
        case Mode::Shift:
            station.writeRoutes({Station::route("OPA", port, "1")});
            break;
        case Mode::Des:
            station.writeRoutes({Station::route("OPA", port, "2")});
            break;
        case Mode::Plain:
            station.writeRoutes({Station::route("OPA", port)});
            break;
    }
}

bool inResultTable(int result, Mode mode) {
    if (result > 0) return result < VX_BUFFER_SIZE;
    if (result == VX_NO_SOCKET || result == VX_NO_SERVER || result == VX_SERVER_REFUSING ||
        result == VX_BAD_LENGTH)
        return true;
    // A local gateway's own negative code, three digits at most.
    return mode == Mode::Tpdu && result < 0 && result > -1000;
}

std::string testName(const ::testing::TestParamInfo<Mode>& param) {
    std::string n = name(param.param);
    for (char& c : n) {
        if (c == '-') c = '_';
    }
    return n;
}

}  // namespace

class HostileHost : public ::testing::TestWithParam<Mode> {};

TEST_P(HostileHost, EveryReplyEndsWithAResultCodeInsideTheBuffer) {
    const Mode mode = GetParam();
    const unsigned seed = 20261208u + static_cast<unsigned>(mode);
    Station station;
    HostileReplies replies(mode, seed);
    ScriptedHost host([&replies](size_t) { return replies.next(); });
    replies.setPort(host.port());
    configure(station, mode, host.port());

    std::map<int, int> seen;
    std::vector<char> buffer(VX_BUFFER_SIZE + kCanary);
    for (int i = 0; i < kRequestsPerMode; ++i) {
        std::fill(buffer.begin(), buffer.end(), kCanaryByte);
        std::snprintf(buffer.data(), 5, "%04zu", kHostileSale.size());
        std::memcpy(buffer.data() + 4, kHostileSale.c_str(), kHostileSale.size() + 1);
        const int result = Process(buffer.data(), "OPA", "CHK");
        // Replies counted together, and codes below -202 (a gateway's).
        ++seen[result > 4 ? 5 : (result < VX_BAD_LENGTH ? -1000 : result)];
        ASSERT_TRUE(inResultTable(result, mode))
            << name(mode) << " request " << i << " seed " << seed << ": " << result;
        for (size_t at = VX_BUFFER_SIZE; at < buffer.size(); ++at) {
            ASSERT_EQ(buffer[at], kCanaryByte)
                << name(mode) << " request " << i << " seed " << seed << ": byte " << at
                << " past the buffer written, result " << result;
        }
        // A reply is the framed message and its terminator (the message may hold zeros).
        if (result > 0) {
            ASSERT_EQ(buffer[static_cast<size_t>(result)], '\0')
                << name(mode) << " request " << i << " seed " << seed;
        }
    }
    std::string summary;
    for (auto [result, count] : seen)
        summary += " " +
                   (result == 5       ? std::string("reply")
                    : result == -1000 ? std::string("gateway")
                                      : std::to_string(result)) +
                   ":" + std::to_string(count);
    // Replies must have been told apart: valid ones read, bad ones refused.
    EXPECT_GT(seen[5], 0) << summary;
    EXPECT_GT(seen[VX_BAD_LENGTH], 0) << summary;
    std::printf("%s:%s\n", name(mode), summary.c_str());
}

INSTANTIATE_TEST_SUITE_P(AllFrames, HostileHost,
                         ::testing::Values(Mode::Plain, Mode::Binary, Mode::Tpdu, Mode::GatewayTpdu,
                                           Mode::Shift, Mode::Des),
                         testName);
