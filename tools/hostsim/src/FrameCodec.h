// The framing and cipher of one port: reads a request frame off a connection
// and builds the reply frames (normal and faulty) the client expects back.
//
// Thread-safety: immutable after construction; const members may be called
// from any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Connection.h"
#include "PortConfig.h"

namespace vtx::hostsim {

// What a reply must echo from its request.
struct Envelope {
    std::string head;     // TPDU: service + operator code; gateway TPDU: the TPDU bytes
    char serial[8] = {};  // DES frame: the terminal serial
};

struct Request {
    std::string raw;      // the frame's bytes as received
    std::string message;  // deciphered, without any framing
    Envelope envelope;
};

struct ReadOutcome {
    std::optional<Request> request;
    std::string rejection;  // why there is no request
};

struct ReplyFrame {
    std::string bytes;      // enciphered as the port says
    size_t headerSize = 0;  // bytes before the reply message itself
};

class FrameCodec {
public:
    // `shiftKey` is the cipher key of the port actually listened on.
    FrameCodec(const PortConfig& config, int shiftKey);

    ReadOutcome read(Connection& connection) const;

    // nullopt when the message is longer than a frame can carry.
    std::optional<ReplyFrame> reply(const Envelope& envelope, std::string_view message) const;

    // The frame `request` came in, with `message` (as long as the request's
    // own message) in place of that message: same header, same cipher. The
    // request log writes card data masked this way, so that deciphering the
    // logged bytes gives back the masked text only.
    std::string withMessage(const Request& request, std::string_view message) const;

    // A frame announcing 4000 bytes followed by `someBytes`, then nothing.
    std::string oversize(const Envelope& envelope, std::string_view someBytes) const;

    // The four characters "-163" where the length should be.
    std::string minus163() const;

private:
    ReadOutcome readDes(Connection& connection) const;
    std::string deciphered(std::string_view bytes) const;
    std::string enciphered(std::string bytes) const;

    Framing framing_;
    Cipher cipher_;
    int shiftKey_;
    vtx::wire::DesKey masterKey_;
    std::string gatewayTpdu_;
};

}  // namespace vtx::hostsim
