// Confirmation, 0202 with any processing code: the pending transaction of
// the NSU in 012-000 becomes confirmed. Confirming a confirmed transaction
// again is a repeat the host recognises: 94 "Transacao ja confirmada", and
// nothing changes. An unknown NSU gets 58, any other state 59. The answer
// echoes the NSU.
//
// Thread-safety: as TransactionRule.
#pragma once

#include "TransactionRule.h"

namespace vtx::hostsim {

class ConfirmationRule : public TransactionRule {
public:
    bool handles(const HostRequest& request) const override { return request.type == "0202"; }
    HostAnswer answer(const HostRequest& request, RuleContext& context) const override;
};

}  // namespace vtx::hostsim
