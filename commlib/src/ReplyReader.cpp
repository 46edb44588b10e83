#include "ReplyReader.h"

#include <cstring>
#include <optional>
#include <vector>

#include "EncipheredChannel.h"
#include "Frames.h"
#include "ShiftCipher.h"
#include "SocketIo.h"
#include "ThreadState.h"
#include "vx32_cli.h"

namespace vtx::cli {
namespace {

using namespace vtx::wire;

constexpr size_t kFramedMax = 4 + kMaxMessage;
constexpr int kShortReply = 4;  // what the caller sees for a reply cut short

// Copies a framed reply (digits and body) into the caller's buffer; a TPDU
// reply gives up its outer digits, service and operator code first.
int deliver(std::string_view framed, bool tpdu, char* buffer, SocketTrace& trace,
            const std::string& section) {
    if (tpdu) {
        if (framed.size() < kTpduPrefix + 4) return VX_BAD_LENGTH;
        framed.remove_prefix(kTpduPrefix);
    }
    if (framed.size() > kFramedMax) return VX_BAD_LENGTH;
    std::memcpy(buffer, framed.data(), framed.size());
    buffer[framed.size()] = '\0';
    trace.step(section, tpdu ? "Receive com TPDU" : "Receive sem TPDU", framed);
    return static_cast<int>(framed.size());
}

int readEnciphered(int sock, const ReplyShape& shape, int timeoutMs, char* buffer,
                   SocketTrace& trace, const std::string& section) {
    std::vector<char> payload(kFramedMax + kTpduPrefix);
    const int factor = shape.clientGateway ? 2 : 1;
    EncipheredReceive r =
        receiveEnciphered(sock, payload.data(), payload.size(), timeoutMs * factor,
                          shape.clientGateway, threadState().masterKey, shape.bodyTime * factor);
    if (r.gatewayCode != 0) return r.gatewayCode;
    if (!r.headerReceived) return VX_NO_SERVER;
    if (r.oversize) return VX_BAD_LENGTH;
    // Fewer bytes than the four digits of a framed reply is a reply cut short.
    if (r.length < 4) return kShortReply;
    return deliver(std::string_view(payload.data(), static_cast<size_t>(r.length)), shape.tpdu,
                   buffer, trace, section);
}

}  // namespace

int readReply(int sock, const ReplyShape& shape, int timeoutMs, char* buffer, SocketTrace& trace,
              const std::string& section) {
    if (shape.cipherMode == 2)
        return readEnciphered(sock, shape, timeoutMs, buffer, trace, section);

    // Header: 4 digits; 2 binary bytes; or the gateway TPDU and then 4 digits.
    const size_t headerLen = shape.tpdu ? 4 : shape.binaryLength ? 2 : 4 + shape.gatewayBytes;
    std::vector<char> header(headerLen);
    ReceiveResult h =
        receiveExact(sock, header.data(), headerLen, timeoutMs,
                     shape.clientGateway ? HeaderKind::GatewayHeader : HeaderKind::Header,
                     PollClock::now() + std::chrono::milliseconds(timeoutMs));
    if (h.gatewayCode != 0) return h.gatewayCode;
    if (h.received < headerLen) return VX_NO_SERVER;
    // The whole frame was enciphered as one, so the header is deciphered before
    // it is read as a length.
    if (shape.cipherMode == 1) shiftDecipher(header.data(), headerLen, shape.shiftKey);

    std::optional<size_t> announced;
    if (shape.binaryLength)
        announced = parseBinaryLength(header.data());
    else
        announced = parseAsciiLength(std::string_view(header.data() + headerLen - 4, 4));
    const size_t limit = kMaxMessage + (shape.tpdu ? kTpduPrefix : 0);
    if (!announced || *announced > limit) return VX_BAD_LENGTH;

    std::string framed(4 + *announced, '\0');
    formatAsciiLength(*announced, framed.data());
    const int factor = shape.clientGateway ? 2 : 1;
    const int bodyWaitMs = static_cast<int>(kReplyBodyTime.count()) * factor;
    ReceiveResult body = receiveExact(sock, framed.data() + 4, *announced, bodyWaitMs,
                                      HeaderKind::Body, PollClock::now() + shape.bodyTime * factor);
    if (body.received < *announced || *announced == 0) return kShortReply;
    if (shape.cipherMode == 1) {
        shiftDecipher(framed.data() + 4, *announced, shape.shiftKey);
        trace.step(section, "Retorno Msg Cript", std::string_view(framed).substr(4));
    }
    return deliver(framed, shape.tpdu, buffer, trace, section);
}

}  // namespace vtx::cli
