// A listener on a free loopback port with recording fakes behind it.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Eventually.h"
#include "vtx/linkagent/Listener.h"
#include "vtx/linkagent/testing/RelayFakes.h"

namespace vtx::linkagent::test {

class RelayFixture : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts the listener; the options' port and address are set here.
    void start(ListenerOptions options = {});
    int port() const { return listener->port(); }
    std::vector<std::string> fatals() const;

    // Waits (bounded, generously) until `condition` holds.
    static bool eventually(const std::function<bool()>& condition,
                           std::chrono::milliseconds bound = vtx::test::kPatience) {
        return vtx::test::eventually(condition, bound);
    }

    RecordingLogger logger;
    RecordingStatus status;
    FakeGuard guard;
    ScriptedHost host;
    std::atomic<int> logonAsked{0};
    std::atomic<int> logonStarted{0};
    std::atomic<bool> ending{false};
    std::unique_ptr<RelayServices> services;
    std::unique_ptr<Listener> listener;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> fatals_;
};

}  // namespace vtx::linkagent::test
