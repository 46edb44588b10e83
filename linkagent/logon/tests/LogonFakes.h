// Test doubles for the services the logon is given: a logger and a status
// board that record what they receive, a connection guard with settable
// answers, and a scripted host exchange that records each request and
// answers from a list.
//
// Thread-safety: every member may be called from any thread (the logon
// runs on its own).
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "vtx/linkagent/AgentServices.h"
#include "vtx/linkagent/testing/ServiceFakes.h"

namespace vtx::linkagent::test {

// One scripted reply: the message after the four digits, or a result code.
struct ScriptedReply {
    std::string message;
    int result = 0;  // 0: the framed length of `message`
};

class ScriptedHost {
public:
    // Replies for one operator, in order; when they run out: -163.
    void script(const std::string& op, std::vector<ScriptedReply> replies);
    // Called inside each exchange, before it answers (e.g. to raise ending).
    std::function<void(const std::string& op)> onExchange;

    ServerExchange exchange();
    // Every request (framed, as in the buffer) with its operator and service.
    struct Call {
        std::string op;
        std::string service;
        std::string request;
    };
    std::vector<Call> calls() const;

private:
    int answer(char* buffer, const char* op, const char* service);

    mutable std::mutex mutex_;
    std::vector<std::pair<std::string, std::vector<ScriptedReply>>> scripts_;
    std::vector<Call> calls_;
};

// An ListAdm stand-in listing `codes` as 9-byte entries ("%-8.8s" and a zero).
OperatorLister listing(std::vector<std::string> codes);

// An 0810 answer (without the four digits) in the variant with bit 63.
std::string answer0810(const std::string& batch, const std::string& version,
                       const std::string& continuation, const std::string& name,
                       const std::string& data);

}  // namespace vtx::linkagent::test
