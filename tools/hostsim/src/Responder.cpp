#include "Responder.h"

#include "FixedReplyRule.h"
#include "LogText.h"
#include "LoginRule.h"
#include "LogonRule.h"
#include "StatusReplyRule.h"
#include "TransactionReplyRule.h"

namespace vtx::hostsim {
namespace {

// The logon answer the point-of-sale client accepts ("0011009-000=00;" framed).
constexpr const char* kAcceptedLogon = "009-000=00;";

}  // namespace

Responder Responder::forPort(const PortConfig& config, NsuCounter& nsu, TransactionDesk* desk,
                             RequestLog* log) {
    Responder responder(nsu);
    responder.addRule(desk != nullptr ? std::make_unique<LoginRule>(kAcceptedLogon)
                                      : std::make_unique<LoginRule>());
    if (config.reply) {
        responder.addRule(std::make_unique<FixedReplyRule>(*config.reply));
        return responder;
    }
    if (desk != nullptr) {
        const std::string& op =
            config.logonOperator.empty() ? config.section : config.logonOperator;
        if (const OperatorTables* tables = desk->data().logon.find(op)) {
            LogonRule::NoteSink notes;
            if (log != nullptr) {
                notes = [log, section = config.section](std::string_view tag,
                                                        std::string_view text) {
                    log->note(section, tag, printableText(text));
                };
            }
            responder.addRule(std::make_unique<LogonRule>(op, *tables, notes));
        }
        TransactionReplyRule::StateSink sink;
        if (log != nullptr) {
            sink = [log, section = config.section](std::string_view line) {
                log->note(section, "STATE", printableText(line));
            };
        }
        responder.addRule(std::make_unique<TransactionReplyRule>(*desk, config.status, sink,
                                                                 config.administratorCode()));
    }
    responder.addRule(std::make_unique<StatusReplyRule>(config.status));
    return responder;
}

std::optional<std::string> Responder::silence(std::string_view message) const {
    FieldMessage request(message);
    for (const auto& rule : rules_) {
        if (auto what = rule->silence(request)) return what;
    }
    return std::nullopt;
}

std::optional<std::string> Responder::answer(std::string_view message) const {
    FieldMessage request(message);
    for (const auto& rule : rules_) {
        if (auto reply = rule->answer(request, nsu_)) return reply;
    }
    return std::nullopt;
}

}  // namespace vtx::hostsim
