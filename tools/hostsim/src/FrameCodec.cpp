#include "FrameCodec.h"

#include <cstring>

#include "DesFrame.h"
#include "Frames.h"
#include "LogText.h"
#include "ShiftCipher.h"

namespace vtx::hostsim {
namespace {

using vtx::wire::kMaxMessage;

constexpr size_t kDigits = 4;     // "%04d" length
constexpr size_t kLe16 = 2;       // 16-bit little-endian length
constexpr size_t kTpduHead = 11;  // service (3) + operator code (8)
constexpr size_t kOversizeLength = 4000;

ReadOutcome rejected(std::string reason) {
    return ReadOutcome{std::nullopt, std::move(reason)};
}

std::string_view statusText(Connection::Status status) {
    switch (status) {
        case Connection::Status::kClosed:
            return "connection closed";
        case Connection::Status::kTimedOut:
            return "no complete frame within the time limit";
        case Connection::Status::kStopped:
            return "shutting down";
        default:
            return "receive failed";
    }
}

ReadOutcome shortFrame(Connection::Status status, const Connection& connection) {
    return rejected(std::string(statusText(status)) + " after " +
                    std::to_string(connection.received().size()) + " bytes");
}

std::string le16(size_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

// Checks a message length announced by a client.
std::string lengthProblem(long length) {
    if (length <= 0) return "announced message length " + std::to_string(length);
    if (static_cast<size_t>(length) > kMaxMessage)
        return "announced message length " + std::to_string(length) + " is above 3072";
    return "";
}

// The inner "%04d" of a TPDU or DES frame must match what the outer length leaves.
std::string innerProblem(std::string_view digits, size_t expected) {
    auto inner = vtx::wire::parseAsciiLength(digits);
    if (inner && *inner == expected) return "";
    return "inner length \"" + printableText(digits) + "\" does not match the frame (" +
           std::to_string(expected) + " bytes)";
}

}  // namespace

FrameCodec::FrameCodec(const PortConfig& config, int shiftKey)
    : framing_(config.framing),
      cipher_(config.cipher),
      shiftKey_(config.cipher == Cipher::kShift ? shiftKey : 0),
      masterKey_(config.masterKey),
      gatewayTpdu_(config.gatewayTpdu) {}

std::string FrameCodec::deciphered(std::string_view bytes) const {
    std::string out(bytes);
    vtx::wire::shiftDecipher(out.data(), out.size(), shiftKey_);
    return out;
}

std::string FrameCodec::enciphered(std::string bytes) const {
    vtx::wire::shiftEncipher(bytes.data(), bytes.size(), shiftKey_);
    return bytes;
}

ReadOutcome FrameCodec::read(Connection& connection) const {
    if (cipher_ == Cipher::kDes) return readDes(connection);
    const bool digits = framing_ == Framing::kPlain || framing_ == Framing::kTpdu;
    const size_t prefix = digits ? kDigits : kLe16;
    if (auto s = connection.fill(prefix); s != Connection::Status::kOk)
        return shortFrame(s, connection);
    std::string lengthBytes = deciphered(connection.received().substr(0, prefix));
    long announced = 0;
    if (digits) {
        auto parsed = vtx::wire::parseAsciiLength(lengthBytes);
        if (!parsed)
            return rejected("length \"" + printableText(lengthBytes) + "\" is not 4 digits");
        announced = static_cast<long>(*parsed);
    } else {
        announced = static_cast<long>(vtx::wire::parseBinaryLength(lengthBytes.data()));
    }
    // Bytes of the frame before the message, after the length prefix.
    size_t head = 0;
    if (framing_ == Framing::kTpdu) head = kTpduHead + kDigits;
    if (framing_ == Framing::kGatewayTpdu) head = gatewayTpdu_.size() + kDigits;
    const long messageLength = announced - static_cast<long>(head);
    if (auto problem = lengthProblem(messageLength); !problem.empty()) return rejected(problem);

    const size_t total = prefix + static_cast<size_t>(announced);
    if (auto s = connection.fill(total); s != Connection::Status::kOk)
        return shortFrame(s, connection);
    Request request;
    request.raw.assign(connection.received().substr(0, total));
    std::string body = deciphered(std::string_view(request.raw).substr(prefix));
    if (head > 0) {
        if (auto problem = innerProblem(std::string_view(body).substr(head - kDigits, kDigits),
                                        static_cast<size_t>(messageLength));
            !problem.empty())
            return rejected(problem);
        request.envelope.head = body.substr(0, head - kDigits);
    }
    request.message = body.substr(head);
    return ReadOutcome{std::move(request), {}};
}

ReadOutcome FrameCodec::readDes(Connection& connection) const {
    using vtx::wire::kDesHeaderSize;
    if (auto s = connection.fill(kDesHeaderSize); s != Connection::Status::kOk)
        return shortFrame(s, connection);
    uint8_t header[kDesHeaderSize];
    std::memcpy(header, connection.received().data(), kDesHeaderSize);
    const size_t payloadLength = vtx::wire::desPayloadLength(header);
    const long messageLength = static_cast<long>(payloadLength) - static_cast<long>(kDigits);
    if (auto problem = lengthProblem(messageLength); !problem.empty()) return rejected(problem);

    const size_t total = kDesHeaderSize + payloadLength;
    if (auto s = connection.fill(total); s != Connection::Status::kOk)
        return shortFrame(s, connection);
    Request request;
    request.raw.assign(connection.received().substr(0, total));
    std::string payload = request.raw.substr(kDesHeaderSize);
    vtx::wire::decipherDesPayload(vtx::wire::desSessionKey(masterKey_, header),
                                  reinterpret_cast<uint8_t*>(payload.data()), payload.size());
    if (auto problem = innerProblem(std::string_view(payload).substr(0, kDigits),
                                    static_cast<size_t>(messageLength));
        !problem.empty())
        return rejected(problem);
    std::memcpy(request.envelope.serial, header + 2, sizeof request.envelope.serial);
    request.message = payload.substr(kDigits);
    return ReadOutcome{std::move(request), {}};
}

std::optional<ReplyFrame> FrameCodec::reply(const Envelope& envelope,
                                            std::string_view message) const {
    if (message.size() > kMaxMessage) return std::nullopt;
    if (cipher_ == Cipher::kDes) {
        return ReplyFrame{
            vtx::wire::buildDesFrame(masterKey_, envelope.serial, vtx::wire::plainFrame(message)),
            vtx::wire::kDesHeaderSize + kDigits};
    }
    ReplyFrame frame;
    switch (framing_) {
        case Framing::kPlain:
            frame.bytes = vtx::wire::plainFrame(message);
            break;
        case Framing::kBinary:
            frame.bytes = vtx::wire::binaryLengthFrame(message);
            break;
        case Framing::kTpdu:
            frame.bytes = vtx::wire::tpduFrame(std::string_view(envelope.head).substr(0, 3),
                                               std::string_view(envelope.head).substr(3), message);
            break;
        case Framing::kGatewayTpdu:
            frame.bytes = vtx::wire::gatewayTpduFrame(envelope.head, message);
            break;
    }
    frame.headerSize = frame.bytes.size() - message.size();
    frame.bytes = enciphered(std::move(frame.bytes));
    return frame;
}

std::string FrameCodec::withMessage(const Request& request, std::string_view message) const {
    if (message.size() != request.message.size() || request.raw.size() < message.size()) {
        std::optional<ReplyFrame> frame = reply(request.envelope, message);
        return frame ? frame->bytes : std::string();
    }
    if (cipher_ == Cipher::kDes) {
        // The payload ("%04d" + message) is enciphered as a whole: encipher
        // the new one under the session key the request's header carries.
        auto header = reinterpret_cast<const uint8_t*>(request.raw.data());
        std::string payload = vtx::wire::plainFrame(message);
        vtx::wire::encipherDesPayload(vtx::wire::desSessionKey(masterKey_, header),
                                     reinterpret_cast<uint8_t*>(payload.data()), payload.size());
        return request.raw.substr(0, vtx::wire::kDesHeaderSize) + payload;
    }
    // The message is the end of the frame; the shift cipher works byte by byte.
    return request.raw.substr(0, request.raw.size() - message.size()) +
           enciphered(std::string(message));
}

std::string FrameCodec::oversize(const Envelope& envelope, std::string_view someBytes) const {
    if (cipher_ == Cipher::kDes) {
        std::string frame(vtx::wire::kDesHeaderSize, '\0');
        vtx::wire::buildDesHeader(masterKey_, envelope.serial, kOversizeLength,
                                  reinterpret_cast<uint8_t*>(frame.data()));
        return frame.append(someBytes);
    }
    const bool digits = framing_ == Framing::kPlain || framing_ == Framing::kTpdu;
    std::string frame = digits ? "4000" : le16(kOversizeLength);
    return enciphered(frame.append(someBytes));
}

std::string FrameCodec::minus163() const {
    return enciphered("-163");
}

}  // namespace vtx::hostsim
