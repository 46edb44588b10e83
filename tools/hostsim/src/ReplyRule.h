// One way of answering a request. The responder asks its rules in order and
// the first one that returns a reply answers; transactions are added as more
// rules.
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
};

}  // namespace vtx::hostsim
