#include "ScriptedHost.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

#include "HostSimProcess.h"

namespace vtx::cli::test {
namespace {

constexpr int kPollSliceMs = 20;  // how often the thread looks at the stop flag

int listenOn(int port) {
    int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(port));
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(s, 8) != 0) {
        ::close(s);
        return -1;
    }
    return s;
}

}  // namespace

ScriptedHost::ScriptedHost(Script script)
    : ScriptedHost(ScriptSource([script = std::move(script)](size_t) { return script; })) {}

ScriptedHost::ScriptedHost(ScriptSource source) : source_(std::move(source)) {
    for (int attempt = 0; attempt < 20 && listener_ < 0; ++attempt) {
        port_ = vtx::hostsim::freeFourDigitPort();
        if (port_ != 0) listener_ = listenOn(port_);
    }
    if (listener_ < 0) {
        ADD_FAILURE() << "no loopback port to listen on";
        return;
    }
    thread_ = std::thread([this] { serve(); });
}

ScriptedHost::~ScriptedHost() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
    if (listener_ >= 0) ::close(listener_);
}

bool ScriptedHost::pause(std::chrono::milliseconds time) {
    std::unique_lock lock(mutex_);
    return !wake_.wait_for(lock, time, [this] { return stop_; });
}

void ScriptedHost::serve() {
    size_t connections = 0;
    while (pause(std::chrono::milliseconds(0))) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, kPollSliceMs) <= 0) continue;
        int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        play(connection, source_(connections++));
    }
}

void ScriptedHost::play(int connection, const Script& script) {
    // The request first, so the reply answers it.
    pollfd p{connection, POLLIN, 0};
    char request[4096];
    for (int slice = 0; slice < 250 && pause(std::chrono::milliseconds(0)); ++slice) {
        if (::poll(&p, 1, kPollSliceMs) > 0) {
            if (::recv(connection, request, sizeof request, MSG_DONTWAIT) <= 0) break;
            // Whatever else of the request follows at once.
            while (::poll(&p, 1, static_cast<int>(script.requestGap.count())) > 0 &&
                   ::recv(connection, request, sizeof request, MSG_DONTWAIT) > 0) {
            }
            break;
        }
    }
    const std::string& reply = script.reply;
    size_t done = std::min(script.burst, reply.size());
    if (done > 0 &&
        ::send(connection, reply.data(), done, MSG_NOSIGNAL) == static_cast<ssize_t>(done))
        sent_ += done;
    while (done < reply.size() && pause(script.interval)) {
        if (::send(connection, reply.data() + done, 1, MSG_NOSIGNAL) != 1) break;
        ++done;
        ++sent_;
    }
    if (script.end == End::Reset) {
        linger abort{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    } else if (script.end == End::Hold) {
        // Until the peer closes or the host is destroyed.
        while (pause(std::chrono::milliseconds(0))) {
            if (::poll(&p, 1, kPollSliceMs) > 0 &&
                ::recv(connection, request, sizeof request, MSG_DONTWAIT) <= 0)
                break;
        }
    }
    ::close(connection);
}

}  // namespace vtx::cli::test
