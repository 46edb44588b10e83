// Answers the session opening "LOGIN|..." with "LOGIN|OK".
//
// Thread-safety: stateless.
#pragma once

#include "ReplyRule.h"

namespace vtx::hostsim {

class LoginRule : public ReplyRule {
public:
    std::optional<std::string> answer(const FieldMessage& request, NsuCounter& nsu) const override;
};

}  // namespace vtx::hostsim
