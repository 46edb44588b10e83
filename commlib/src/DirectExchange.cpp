#include "DirectExchange.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "Failover.h"
#include "Frames.h"
#include "ShiftCipher.h"
#include "SocketIo.h"
#include "SocketTrace.h"

namespace vtx::cli {
namespace {

using namespace vtx::wire;

// Thirty seconds: the exchange's time-out, kept in the profile in milliseconds.
constexpr int kDirectTimeoutMs = 30 * 1000;
constexpr int kBodyWaitMs = static_cast<int>(kReplyBodyTime.count());

}  // namespace

int exchangeDirect(char* buffer, const char* host, int port, int cipherMode, int sock,
                   int connected, VxConnectionProfile* profile) {
    if (!buffer || !profile) return -1;
    const char* address = host ? host : "";
    // The profile holds an address of 40 characters; a longer one is cut
    // there, and a connection is never made to what was cut (another host).
    const int length = std::snprintf(profile->address1, sizeof profile->address1, "%s", address);
    const bool whole = length >= 0 && static_cast<size_t>(length) < sizeof profile->address1;
    (void)std::snprintf(profile->address2, sizeof profile->address2, "%s", address);  // the same
    profile->attempts = 1;
    profile->timeoutMs = kDirectTimeoutMs;
    profile->portChk = port;
    profile->cipherMode = cipherMode;
    selectService(*profile, "CHK", profile->sizeType);
    const int key = shiftKeyForPort(port);

    if (connected < 0) {
        if (!whole) return -1;
        SocketTrace trace;
        if (connectWithFailover(sock, *profile, trace) != 0) return -1;
    }
    std::string frame(buffer, strnlen(buffer, VX_BUFFER_SIZE - 1));
    if (cipherMode == 1) shiftEncipher(frame.data(), frame.size(), key);
    if (sendAll(sock, frame.data(), frame.size(), profile->timeoutMs) != frame.size()) return 0;

    char header[4];
    // The header within the time-out and the body within the body time in
    // all, whatever pace the host keeps.
    ReceiveResult h =
        receiveExact(sock, header, 4, profile->timeoutMs, HeaderKind::Body,
                     PollClock::now() + std::chrono::milliseconds(profile->timeoutMs));
    if (h.received < 4) return 0;
    if (cipherMode == 1) shiftDecipher(header, 4, key);
    auto announced = parseAsciiLength(std::string_view(header, 4));
    if (!announced || *announced > kMaxMessage) return VX_BAD_LENGTH;
    std::string body(*announced, '\0');
    if (receiveExact(sock, body.data(), body.size(), kBodyWaitMs, HeaderKind::Body,
                     PollClock::now() + kReplyBodyTime)
            .received < body.size())
        return 0;
    if (cipherMode == 1) shiftDecipher(body.data(), body.size(), key);
    std::memcpy(buffer, header, 4);
    std::memcpy(buffer + 4, body.data(), body.size());
    buffer[4 + body.size()] = '\0';
    return 0;
}

}  // namespace vtx::cli
