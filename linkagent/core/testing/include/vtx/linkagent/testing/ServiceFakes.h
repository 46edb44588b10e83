// Test doubles of the connection manager's shared services, for every part's
// tests: a logger and a status board that record what they receive, and a
// connection guard with settable answers.
//
// Thread-safety: every member may be called from any thread (relays, the
// logon and the dial-up manager call them from their own threads); the test
// thread reads them.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "vtx/linkagent/AgentServices.h"

namespace vtx::linkagent::test {

class RecordingLogger : public Logger {
public:
    void log(const std::string& text) override;
    std::vector<std::string> lines() const;
    bool has(const std::string& text) const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

class RecordingStatus : public StatusBoard {
public:
    void show(StatusField field, const std::string& text) override;

    // The texts shown in `field`, in order.
    std::vector<std::string> texts(StatusField field) const;
    // The last text of `field`, "<none>" when it was never shown.
    std::string last(StatusField field) const;
    bool empty() const;

    std::vector<std::string> messages() const { return texts(StatusField::Message); }
    std::vector<std::string> logonTexts() const { return texts(StatusField::Logon); }

private:
    mutable std::mutex mutex_;
    std::vector<std::pair<StatusField, std::string>> shown_;
};

class FakeGuard : public ConnectionGuard {
public:
    bool ensureConnection() override { return connected.load(); }
    void touch() override { ++touches; }
    // True while `down` is set, and for the next `downChecks` questions.
    bool dialUpDown() const override { return down.load() || downChecks.fetch_sub(1) > 0; }

    std::atomic<bool> connected{true};
    std::atomic<bool> down{false};
    mutable std::atomic<int> downChecks{0};
    std::atomic<int> touches{0};
};

}  // namespace vtx::linkagent::test
