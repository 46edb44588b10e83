#include "RelayTestFixture.h"

namespace vtx::linkagent::test {

void RelayFixture::start(ListenerOptions options) {
    options.port = 0;
    options.address = "127.0.0.1";
    services = std::make_unique<RelayServices>(
        RelayServices{logger, guard, status,
                      [this](char* buffer, const char* op, const char* service) {
                          return host(buffer, op, service);
                      },
                      [this] {
                          ++logonAsked;
                          // A logon "runs" from the first request on: later ones start none.
                          int none = 0;
                          return logonStarted.compare_exchange_strong(none, 1);
                      },
                      {}});
    ListenerHooks hooks;
    hooks.fatal = [this](const std::string& text) {
        std::lock_guard lock(mutex_);
        fatals_.push_back(text);
    };
    listener = std::make_unique<Listener>(*services, options, hooks, ending);
    ASSERT_TRUE(listener->open());
    ASSERT_TRUE(listener->start());
}

void RelayFixture::TearDown() {
    host.release();
    ending = true;
    if (listener) {
        EXPECT_TRUE(listener->join(std::chrono::seconds(10)));
    }
    listener.reset();
}

std::vector<std::string> RelayFixture::fatals() const {
    std::lock_guard lock(mutex_);
    return fatals_;
}

}  // namespace vtx::linkagent::test
