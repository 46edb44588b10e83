// The reply rule of a port that serves transactions: reads the request in
// its form (ISO 8583 when it opens with a message type and a hexadecimal
// bitmap, numbered fields otherwise), lets the TransactionDesk answer, and
// writes the answer in the same form. It reports each transaction the
// request changed as one STATE line.
//
// Numbered-field requests of a kind no transaction rule handles are left to
// the next rule (the default reply). ISO requests of such kinds get the
// default reply in ISO form (bit 3 echoed, bit 37 a new NSU, bit 39 the
// port's status); ISO requests that cannot be read get bit 60 "Erro de
// formatacao na mensagem".
//
// Thread-safety: answer() may be called from any thread; `sink` must be
// callable from any thread.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ReplyRule.h"
#include "TransactionDesk.h"

namespace vtx::hostsim {

class TransactionReplyRule : public ReplyRule {
public:
    using StateSink = std::function<void(std::string_view line)>;

    // The port's transactions are kept under `administrator` (its code).
    TransactionReplyRule(TransactionDesk& desk, std::string defaultStatus, StateSink sink,
                         std::string administrator = {})
        : desk_(desk),
          defaultStatus_(std::move(defaultStatus)),
          sink_(std::move(sink)),
          administrator_(std::move(administrator)) {}

    std::optional<std::string> answer(const FieldMessage& request, NsuCounter& nsu) const override;

private:
    std::string answerIso(std::string_view text, NsuCounter& nsu) const;
    void report(const HostAnswer& answer) const;

    TransactionDesk& desk_;
    std::string defaultStatus_;
    StateSink sink_;
    std::string administrator_;
};

}  // namespace vtx::hostsim
