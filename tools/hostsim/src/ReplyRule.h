// One way of answering a request. The responder asks its rules in order and
// the first one that returns a reply answers; transactions are added as more
// rules. A rule may also keep silent on a request, to play a host that drops
// the connection.
//
// Thread-safety: answer() is called concurrently by every worker of a port;
// implementations keep no mutable state of their own.
#pragma once

#include <optional>
#include <string>

#include "FieldMessage.h"
#include "NsuCounter.h"

namespace vtx::hostsim {

class ReplyRule {
public:
    virtual ~ReplyRule() = default;

    // The reply message, or nullopt when this rule does not handle `request`.
    virtual std::optional<std::string> answer(const FieldMessage& request,
                                              NsuCounter& nsu) const = 0;

    // A fault this rule plays on `request` in place of any reply: the
    // connection is closed without one, and the text (what was done) goes
    // to the log. nullopt (the default): answer as usual.
    virtual std::optional<std::string> silence(const FieldMessage&) const { return std::nullopt; }
};

}  // namespace vtx::hostsim
