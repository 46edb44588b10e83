// Answers the terminal logon of one operator (ISO 8583 0800, processing
// code 388000) from that operator's tables. Bit 48 of the request carries
// the station's batch number (10), table version (6) and continuation (10);
// the continuation is the number of answers the station has had in this
// logon, so the host keeps no state between requests:
//   continuation 0 and the station already holds this batch and version:
//       the closing answer at once (nothing newer);
//   continuation k below the number of pieces: piece k + 1, continuation
//       k + 1 (bits 62 file name and 63 records);
//   otherwise the closing answer: an empty file name and no bit 63.
// Every answer carries the operator's batch number and table version. The
// fault switch replaces answer number `faultAt` with an answer of response
// code 96 (invalid) or with no answer at all (fail: silence()).
//
// Thread-safety: immutable after construction; the sink must be callable
// from any thread.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "LogonTables.h"
#include "ReplyRule.h"

namespace vtx::hostsim {

class LogonRule : public ReplyRule {
public:
    // Receives one log note per answer ("LOGON ...", "FAULT ...").
    using NoteSink = std::function<void(std::string_view tag, std::string_view text)>;

    LogonRule(std::string op, const OperatorTables& tables, NoteSink sink)
        : op_(std::move(op)), tables_(tables), sink_(std::move(sink)) {}

    std::optional<std::string> answer(const FieldMessage& request, NsuCounter& nsu) const override;
    std::optional<std::string> silence(const FieldMessage& request) const override;

private:
    void note(std::string_view tag, const std::string& text) const;

    std::string op_;
    const OperatorTables& tables_;
    NoteSink sink_;
};

}  // namespace vtx::hostsim
