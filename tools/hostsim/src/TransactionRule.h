// One transaction the host answers, chosen by message code and processing
// code (eligibility, pre-authorisation, sale, confirmation, reversal,
// cancellation, product query, registration change). Rules see requests
// and give answers independent of the message form; TransactionReplyRule
// reads and writes the forms.
//
// Thread-safety: answer() is called concurrently from every worker of every
// port; rules keep no mutable state and change the host's state only
// through RuleContext::ledger.
#pragma once

#include "FieldText.h"
#include "HostAnswer.h"
#include "HostData.h"
#include "HostRequest.h"
#include "Ledger.h"
#include "NsuCounter.h"

namespace vtx::hostsim {

struct RuleContext {
    const HostData& data;
    Ledger& ledger;
    NsuCounter& nsu;

    long nextNsu() { return digitsValue(nsu.next()).value_or(0); }
};

class TransactionRule {
public:
    virtual ~TransactionRule() = default;

    virtual bool handles(const HostRequest& request) const = 0;
    virtual HostAnswer answer(const HostRequest& request, RuleContext& context) const = 0;
};

}  // namespace vtx::hostsim
