#include "Responder.h"

#include "FixedReplyRule.h"
#include "LoginRule.h"
#include "StatusReplyRule.h"

namespace vtx::hostsim {

Responder Responder::forPort(const PortConfig& config, NsuCounter& nsu) {
    Responder responder(nsu);
    responder.addRule(std::make_unique<LoginRule>());
    if (config.reply) {
        responder.addRule(std::make_unique<FixedReplyRule>(*config.reply));
    } else {
        responder.addRule(std::make_unique<StatusReplyRule>(config.status));
    }
    return responder;
}

std::optional<std::string> Responder::answer(std::string_view message) const {
    FieldMessage request(message);
    for (const auto& rule : rules_) {
        if (auto reply = rule->answer(request, nsu_)) return reply;
    }
    return std::nullopt;
}

}  // namespace vtx::hostsim
