#include "RequestHandler.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>

#include "CardMask.h"
#include "Connection.h"

namespace vtx::hostsim {
namespace {

constexpr std::chrono::seconds kRequestTimeLimit{10};

// As many random bytes as `reply` has, every byte value possible.
std::string garbageFor(const std::string& reply, FaultDraw& draw) {
    std::string bytes(reply.size(), '\0');
    for (size_t i = 0; i < bytes.size(); i += 8) {
        uint64_t number = draw.next();
        for (size_t k = i; k < std::min(i + 8, bytes.size()); ++k, number >>= 8)
            bytes[k] = static_cast<char>(number & 0xFF);
    }
    return bytes;
}

}  // namespace

void RequestHandler::note(std::string_view detail, std::string_view message) const {
    // Which request the fault hit: its kind, as FaultOn names kinds (a
    // processing code is no card data, but it is masked like any text the
    // log shows).
    const RequestKind kind = FaultSelector::kindOf(message);
    std::string text(detail);
    if (!kind.code.empty())
        text += "; request " + vtx::wire::maskCardData(kind.code + "/" + kind.proc);
    log_.note(config_.section, "FAULT", text);
}

void RequestHandler::serve(int fd) const {
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    Connection connection(fd, stop_, kRequestTimeLimit);

    ReadOutcome in = codec_.read(connection);
    if (!in.request) {
        log_.note(config_.section, "REJECT", in.rejection);
        return;
    }
    const Request& request = *in.request;
    log_.request(config_.section, request, codec_);
    FaultDraw draw = faults_.draw(request.message);
    const Fault fault = draw.fault();
    auto noted = [&](std::string_view detail) { note(detail, request.message); };

    // Before the rules: the host never acts on the request.
    if (fault == Fault::kCloseBefore) {
        noted("close-before: closed without a reply");
        return;
    }
    if (fault == Fault::kMinus163) {
        noted("minus163: answered -163 in place of a length");
        connection.writeAll(codec_.minus163());
        return;
    }
    if (std::optional<std::string> what = responder_.silence(request.message)) {
        noted(*what);
        return;
    }
    std::optional<std::string> reply = responder_.answer(request.message);
    if (!reply) {
        log_.note(config_.section, "REJECT", "no rule answers this request");
        return;
    }
    if (fault == Fault::kOversize) {
        noted("oversize: announced 4000 bytes, sent " + std::to_string(reply->size()));
        connection.writeAll(codec_.oversize(request.envelope, *reply));
        return;
    }
    if (fault == Fault::kGarbage) {
        *reply = garbageFor(*reply, draw);
        noted("garbage: " + std::to_string(reply->size()) + " random bytes in place of the reply");
    }
    std::optional<ReplyFrame> frame = codec_.reply(request.envelope, *reply);
    if (!frame) {
        log_.note(config_.section, "REJECT", "reply longer than 3072 bytes");
        return;
    }
    std::string_view bytes = frame->bytes;
    if (fault == Fault::kCloseMiddle) {
        size_t half = (bytes.size() - frame->headerSize) / 2;
        noted("close-middle: sent " + std::to_string(half) + " of " +
              std::to_string(bytes.size() - frame->headerSize) + " reply bytes");
        connection.writeAll(bytes.substr(0, frame->headerSize + half));
        return;
    }
    if (fault == Fault::kCloseAfter) {
        noted("close-after: answered, closed without sending the " + std::to_string(bytes.size()) +
              " reply bytes");
        return;
    }
    if (fault == Fault::kDelay) {
        // The rules have answered (and logged the state) already: a station
        // that gives up during the wait leaves the host having acted.
        // In a mix each delay is drawn, up to DelayMs.
        const int ms =
            config_.faultMix.empty()
                ? config_.delayMs
                : static_cast<int>(draw.next() % static_cast<uint64_t>(config_.delayMs + 1));
        noted("delay: " + std::to_string(ms) + " ms");
        stop_.sleepFor(ms);
    }
    connection.writeAll(bytes);
}

}  // namespace vtx::hostsim
