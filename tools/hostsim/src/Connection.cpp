#include "Connection.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace vtx::hostsim {
namespace {

constexpr size_t kReadChunk = 4096;

}  // namespace

Connection::Connection(int fd, const StopSignal& stop, std::chrono::milliseconds limit)
    : fd_(fd), stop_(stop), deadline_(std::chrono::steady_clock::now() + limit) {}

Connection::~Connection() {
    if (fd_ >= 0) close(fd_);
}

Connection::Status Connection::waitFor(short events) {
    // Rounded up, so the limit is never cut short by a part of a millisecond.
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline_ -
                                                             std::chrono::steady_clock::now());
    if (left.count() <= 0) return Status::kTimedOut;
    pollfd fds[2] = {{fd_, events, 0}, {stop_.fd(), POLLIN, 0}};
    int n = poll(fds, 2, static_cast<int>(left.count()));
    if (n < 0 && errno != EINTR) return Status::kFailed;
    if (fds[0].revents != 0) return Status::kOk;  // ready, or an error the next call reports
    if (stop_.requested()) return Status::kStopped;
    return Status::kOk;  // timed out or interrupted: the next call checks the deadline
}

Connection::Status Connection::fill(size_t count) {
    while (buffer_.size() < count) {
        size_t have = buffer_.size();
        buffer_.resize(have + std::max(count - have, kReadChunk));
        ssize_t n = recv(fd_, buffer_.data() + have, buffer_.size() - have, 0);
        buffer_.resize(have + static_cast<size_t>(std::max<ssize_t>(n, 0)));
        if (n > 0) continue;
        if (n == 0) return Status::kClosed;
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return Status::kFailed;
        Status waited = waitFor(POLLIN);
        if (waited != Status::kOk) return waited;
    }
    return Status::kOk;
}

bool Connection::writeAll(std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) return false;
        if (waitFor(POLLOUT) != Status::kOk) return false;
    }
    return true;
}

}  // namespace vtx::hostsim
