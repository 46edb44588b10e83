#include "vtx/linkagent/PendingRequest.h"

#include <sys/socket.h>

#include <cerrno>

namespace vtx::linkagent {
namespace {

// Appends up to `wanted` more bytes to `to`; false when the peer closed or
// the socket failed.
bool receiveInto(int socket, std::string& to, size_t wanted) {
    const size_t had = to.size();
    to.resize(had + wanted);
    ssize_t r;
    do {
        r = ::recv(socket, to.data() + had, wanted, MSG_DONTWAIT);
    } while (r < 0 && errno == EINTR);
    to.resize(had + (r > 0 ? static_cast<size_t>(r) : 0));
    return r > 0 || (r < 0 && (errno == EAGAIN || errno == EWOULDBLOCK));
}

}  // namespace

PendingRequest::PendingRequest(int socket, const TerminalFraming& framing,
                               Clock::time_point deadline)
    : socket_(socket), framing_(framing), deadline_(deadline) {}

std::string PendingRequest::lengthShown() const {
    if (framing_.dataType == DataType::Binary) {
        auto value = parseLengthField(framing_, field_);
        return value ? std::to_string(*value) : "?";
    }
    std::string text(field_);
    for (char& c : text)
        if (c != ' ' && (c < '0' || c > '9')) c = '?';
    return text;
}

PendingRequest::Progress PendingRequest::read() {
    const size_t fieldSize = lengthFieldSize(framing_);
    if (count_ == 0) {
        if (!receiveInto(socket_, field_, fieldSize - field_.size())) return Progress::kBroken;
        if (field_.size() < fieldSize) return Progress::kWaiting;
        std::optional<size_t> count = parseLengthField(framing_, field_);
        if (!count || *count == 0 || *count > kMaxTerminalRequest) return Progress::kRefused;
        count_ = *count;
        request_.reserve(count_);
    }
    if (!receiveInto(socket_, request_, count_ - request_.size())) return Progress::kBroken;
    return request_.size() == count_ ? Progress::kWhole : Progress::kWaiting;
}

ArrivedRequest PendingRequest::take() {
    return {socket_, lengthShown(), std::move(request_)};
}

}  // namespace vtx::linkagent
