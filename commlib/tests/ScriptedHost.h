// Test helper: a loopback TCP host that plays one script on every connection,
// for replies the host simulator never sends: a reply dripped byte by byte,
// a connection held open without a word, closed or reset after the request;
// or a script of its own for each connection, from a caller's source.
//
// Thread-safety: build and destroy it on the test's thread; it serves on a
// thread of its own until destroyed.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vtx::cli::test {

class ScriptedHost {
public:
    enum class End { Hold, Close, Reset };

    struct Script {
        std::string reply;                      // bytes sent once the request came
        size_t burst = 0;                       // how many of them leave at once
        std::chrono::milliseconds interval{0};  // then one byte each interval
        End end = End::Hold;  // after the reply: hold until the peer closes, close, or reset
        // How long a pause ends the request (its bytes are all read before the reply).
        std::chrono::milliseconds requestGap{20};
    };

    // Listens on a free four-digit loopback port (the test fails when none).
    explicit ScriptedHost(Script script);
    // Plays source(n) on the n-th connection (from 0); the source runs on the
    // host's thread.
    using ScriptSource = std::function<Script(size_t connection)>;
    explicit ScriptedHost(ScriptSource source);
    ~ScriptedHost();
    ScriptedHost(const ScriptedHost&) = delete;
    ScriptedHost& operator=(const ScriptedHost&) = delete;

    int port() const { return port_; }
    // Bytes of the reply sent so far, over all connections.
    size_t sent() const { return sent_.load(); }

private:
    void serve();
    void play(int connection, const Script& script);
    // Waits `time` or until stopped; false when stopped.
    bool pause(std::chrono::milliseconds time);

    ScriptSource source_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<size_t> sent_{0};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace vtx::cli::test
