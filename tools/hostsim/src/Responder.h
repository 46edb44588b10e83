// Turns a request message into the reply message for one port by asking its
// rules in order: the session login first, then either the port's fixed
// reply or, when the simulator serves transactions, the terminal logon of
// the port's operator (when it has tables), the transaction rules and the
// default status reply.
//
// Thread-safety: answer() may be called from any number of threads; rules
// are added before the first answer.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "NsuCounter.h"
#include "PortConfig.h"
#include "ReplyRule.h"
#include "RequestLog.h"

namespace vtx::hostsim {

class TransactionDesk;

class Responder {
public:
    explicit Responder(NsuCounter& nsu) : nsu_(nsu) {}

    // The rules a configured port answers with. With a `desk`, transactions
    // are answered too, and their STATE lines go to `log` (when given).
    static Responder forPort(const PortConfig& config, NsuCounter& nsu,
                             TransactionDesk* desk = nullptr, RequestLog* log = nullptr);

    void addRule(std::unique_ptr<ReplyRule> rule) { rules_.push_back(std::move(rule)); }

    // The reply, or nullopt when no rule answers.
    std::optional<std::string> answer(std::string_view message) const;

    // What a rule does instead of answering (see ReplyRule::silence), or
    // nullopt when the request is to be answered.
    std::optional<std::string> silence(std::string_view message) const;

private:
    NsuCounter& nsu_;
    std::vector<std::unique_ptr<ReplyRule>> rules_;
};

}  // namespace vtx::hostsim
