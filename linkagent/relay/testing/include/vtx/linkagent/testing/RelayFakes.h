// Test helpers for the relay: recording fakes of the program's services, a
// scripted Process_Server and a raw terminal that speaks bytes over loopback.
//
// Thread-safety: the fakes are called from many relay threads at once; the
// test thread reads them.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "vtx/linkagent/AgentServices.h"
#include "vtx/linkagent/testing/ServiceFakes.h"

namespace vtx::linkagent::test {

// Process_Server as scripted by the message itself:
//   "CODE=-164"  returns that code (buffer zeroed)
//   "ZERO..."    returns 0
//   "SHORT..."   returns 4 with the buffer zeroed (a reply cut short)
//   "HOLD..."    waits until release() (or 5 s), then echoes
//   anything else echoes: "R|" + service + "|" + code + "|" + message
class ScriptedHost {
public:
    int operator()(char* buffer, const char* op, const char* service);
    void release();
    int calls() const { return calls_.load(); }
    int mostAtOnce() const { return mostAtOnce_.load(); }

private:
    std::atomic<int> calls_{0};
    std::atomic<int> running_{0};
    std::atomic<int> mostAtOnce_{0};
    std::mutex mutex_;
    std::condition_variable released_;
    bool open_ = false;
};

// A terminal's connection: connects to 127.0.0.1:port, sends bytes, reads.
class RawTerminal {
public:
    explicit RawTerminal(int port);
    ~RawTerminal();
    bool connected() const { return fd_ >= 0; }
    bool send(const std::string& bytes);
    // Everything up to the relay's close, or what came within `bound`.
    std::string readToEnd(std::chrono::milliseconds bound = std::chrono::seconds(5));
    // True when the relay closed the connection within `bound`.
    bool closedWithin(std::chrono::milliseconds bound);

private:
    int fd_ = -1;
};

// Sends `bytes` on a new connection and returns everything that comes back.
std::string exchangeBytes(int port, const std::string& bytes);

// The TPDU frame of a message: "%04d" of its length + 15, service, code,
// "%04d" of its length, message.
std::string tpdu(const std::string& service, const std::string& code, const std::string& message);

}  // namespace vtx::linkagent::test
