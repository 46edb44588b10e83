#include "StatusReplyRule.h"

namespace vtx::hostsim {

std::optional<std::string> StatusReplyRule::answer(const FieldMessage& request,
                                                   NsuCounter& nsu) const {
    std::string reply;
    reply.reserve(64);
    for (std::string_view key : {"000-000", "011-000"}) {
        if (auto value = request.field(key)) reply.append(key).append("=").append(*value) += ';';
    }
    reply.append("009-000=").append(status_).append(";012-000=").append(nsu.next()) += ';';
    return reply;
}

}  // namespace vtx::hostsim
