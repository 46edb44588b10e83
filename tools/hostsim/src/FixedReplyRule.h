// Answers every request with the configured reply text, in which
//   ${NSU}  becomes the next host sequence number,
//   ${CODE} the request's message code (field 000-000),
//   ${PROC} the request's field 011-000
// (empty when the request lacks the field).
//
// Thread-safety: immutable after construction.
#pragma once

#include <string>

#include "ReplyRule.h"

namespace vtx::hostsim {

class FixedReplyRule : public ReplyRule {
public:
    explicit FixedReplyRule(std::string text) : text_(std::move(text)) {}

    std::optional<std::string> answer(const FieldMessage& request, NsuCounter& nsu) const override;

private:
    std::string text_;
};

}  // namespace vtx::hostsim
