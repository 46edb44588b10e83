#include "vtx/linkagent/testing/RelayFakes.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "vx32_cli.h"

namespace vtx::linkagent::test {

int ScriptedHost::operator()(char* buffer, const char* op, const char* service) {
    ++calls_;
    int now = ++running_;
    int seen = mostAtOnce_.load();
    while (now > seen && !mostAtOnce_.compare_exchange_weak(seen, now)) {
    }
    const int length = std::atoi(std::string(buffer, 4).c_str());
    std::string message(buffer + 4, static_cast<size_t>(std::clamp(length, 0, VX_MAX_MESSAGE)));
    int result = 0;
    if (message.rfind("CODE=", 0) == 0) {
        std::memset(buffer, 0, VX_BUFFER_SIZE);
        result = std::atoi(message.c_str() + 5);
    } else if (message.rfind("ZERO", 0) == 0) {
        result = 0;
    } else if (message.rfind("SHORT", 0) == 0) {
        std::memset(buffer, 0, VX_BUFFER_SIZE);
        result = 4;
    } else {
        if (message.rfind("HOLD", 0) == 0) {
            std::unique_lock lock(mutex_);
            released_.wait_for(lock, std::chrono::seconds(30), [this] { return open_; });
        }
        std::string reply = "R|" + std::string(service) + "|" + op + "|" + message;
        reply.resize(std::min<size_t>(reply.size(), VX_MAX_MESSAGE));
        std::snprintf(buffer, 5, "%04zu", reply.size());
        std::memcpy(buffer + 4, reply.data(), reply.size());
        buffer[4 + reply.size()] = '\0';
        result = static_cast<int>(reply.size() + 4);
    }
    --running_;
    return result;
}

void ScriptedHost::release() {
    std::lock_guard lock(mutex_);
    open_ = true;
    released_.notify_all();
}

RawTerminal::RawTerminal(int port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

RawTerminal::~RawTerminal() {
    if (fd_ >= 0) ::close(fd_);
}

bool RawTerminal::send(const std::string& bytes) {
    return fd_ >= 0 && ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
                           static_cast<ssize_t>(bytes.size());
}

std::string RawTerminal::readToEnd(std::chrono::milliseconds bound) {
    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + bound;
    char chunk[4096];
    while (fd_ >= 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        pollfd p{fd_, POLLIN, 0};
        if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) <= 0) break;
        ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
        if (n <= 0) break;
        got.append(chunk, static_cast<size_t>(n));
    }
    return got;
}

bool RawTerminal::closedWithin(std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    char chunk[256];
    while (fd_ >= 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        pollfd p{fd_, POLLIN, 0};
        if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) <= 0) return false;
        ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
        if (n <= 0) return true;
    }
    return false;
}

std::string exchangeBytes(int port, const std::string& bytes) {
    RawTerminal terminal(port);
    if (!terminal.send(bytes)) return "<not sent>";
    return terminal.readToEnd();
}

std::string tpdu(const std::string& service, const std::string& code, const std::string& message) {
    char outer[8], inner[8];
    std::snprintf(outer, sizeof outer, "%04zu", message.size() + 15);
    std::snprintf(inner, sizeof inner, "%04zu", message.size());
    std::string padded = code;
    padded.resize(8, ' ');
    return outer + service + padded + inner + message;
}

}  // namespace vtx::linkagent::test
