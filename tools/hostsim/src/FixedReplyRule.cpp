#include "FixedReplyRule.h"

namespace vtx::hostsim {

std::optional<std::string> FixedReplyRule::answer(const FieldMessage& request,
                                                  NsuCounter& nsu) const {
    std::string nsuText = nsu.next();
    std::string reply;
    size_t pos = 0;
    while (pos < text_.size()) {
        size_t open = text_.find("${", pos);
        if (open == std::string::npos) break;
        size_t close = text_.find('}', open);
        if (close == std::string::npos) break;
        reply.append(text_, pos, open - pos);
        std::string_view name(text_.data() + open + 2, close - open - 2);
        if (name == "NSU") {
            reply += nsuText;
        } else if (name == "CODE") {
            reply += request.field("000-000").value_or("");
        } else if (name == "PROC") {
            reply += request.field("011-000").value_or("");
        } else {
            reply.append(text_, open, close + 1 - open);  // not ours: kept as written
        }
        pos = close + 1;
    }
    reply.append(text_, pos);
    return reply;
}

}  // namespace vtx::hostsim
