// The default answer to any request:
//   000-000=<request's 000-000>;011-000=<request's 011-000>;009-000=<status>;012-000=<NSU>;
// where the first two fields are left out when the request has none.
//
// Thread-safety: immutable after construction.
#pragma once

#include <string>

#include "ReplyRule.h"

namespace vtx::hostsim {

class StatusReplyRule : public ReplyRule {
public:
    explicit StatusReplyRule(std::string status) : status_(std::move(status)) {}

    std::optional<std::string> answer(const FieldMessage& request, NsuCounter& nsu) const override;

private:
    std::string status_;
};

}  // namespace vtx::hostsim
