// Answers the session opening "LOGIN|..." with a fixed text: "LOGIN|OK" by
// default; ports that serve transactions use "009-000=00;", which the
// point-of-sale client takes as an accepted logon.
//
// Thread-safety: immutable after construction.
#pragma once

#include <string>

#include "ReplyRule.h"

namespace vtx::hostsim {

class LoginRule : public ReplyRule {
public:
    explicit LoginRule(std::string reply = "LOGIN|OK") : reply_(std::move(reply)) {}

    std::optional<std::string> answer(const FieldMessage& request, NsuCounter& nsu) const override;

private:
    std::string reply_;
};

}  // namespace vtx::hostsim
