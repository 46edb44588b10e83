#include "RequestHandler.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <chrono>

#include "Connection.h"

namespace vtx::hostsim {
namespace {

constexpr std::chrono::seconds kRequestTimeLimit{10};

}  // namespace

void RequestHandler::note(std::string_view detail) const {
    log_.note(config_.section, "FAULT", detail);
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
    const Fault fault = faults_.hits(request.message) ? config_.fault : Fault::kNone;

    // Before the rules: the host never acts on the request.
    if (fault == Fault::kCloseBefore) {
        note("close-before: closed without a reply");
        return;
    }
    if (fault == Fault::kMinus163) {
        note("minus163: answered -163 in place of a length");
        connection.writeAll(codec_.minus163());
        return;
    }
    if (std::optional<std::string> what = responder_.silence(request.message)) {
        note(*what);
        return;
    }
    std::optional<std::string> reply = responder_.answer(request.message);
    if (!reply) {
        log_.note(config_.section, "REJECT", "no rule answers this request");
        return;
    }
    if (fault == Fault::kOversize) {
        note("oversize: announced 4000 bytes, sent " + std::to_string(reply->size()));
        connection.writeAll(codec_.oversize(request.envelope, *reply));
        return;
    }
    std::optional<ReplyFrame> frame = codec_.reply(request.envelope, *reply);
    if (!frame) {
        log_.note(config_.section, "REJECT", "reply longer than 3072 bytes");
        return;
    }
    std::string_view bytes = frame->bytes;
    if (fault == Fault::kCloseMiddle) {
        size_t half = (bytes.size() - frame->headerSize) / 2;
        note("close-middle: sent " + std::to_string(half) + " of " +
             std::to_string(bytes.size() - frame->headerSize) + " reply bytes");
        connection.writeAll(bytes.substr(0, frame->headerSize + half));
        return;
    }
    if (fault == Fault::kCloseAfter) {
        note("close-after: answered, closed without sending the " + std::to_string(bytes.size()) +
             " reply bytes");
        return;
    }
    if (fault == Fault::kDelay) {
        // The rules have answered (and logged the state) already: a station
        // that gives up during the wait leaves the host having acted.
        note("delay: " + std::to_string(config_.delayMs) + " ms");
        stop_.sleepFor(config_.delayMs);
    }
    connection.writeAll(bytes);
}

}  // namespace vtx::hostsim
