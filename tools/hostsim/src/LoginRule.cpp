#include "LoginRule.h"

namespace vtx::hostsim {

std::optional<std::string> LoginRule::answer(const FieldMessage& request, NsuCounter&) const {
    if (!request.text().starts_with("LOGIN|")) return std::nullopt;
    return reply_;
}

}  // namespace vtx::hostsim
