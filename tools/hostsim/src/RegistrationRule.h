// Registration change, 0800/388100: the establishment (942-000) now works
// with the distributor in 990-000 (99 when it is missing). The host only
// records it; the log shows a STATE line for it.
//
// Thread-safety: as TransactionRule.
#pragma once

#include "TransactionRule.h"

namespace vtx::hostsim {

class RegistrationRule : public TransactionRule {
public:
    bool handles(const HostRequest& request) const override {
        return request.isKind("0800", "388100");
    }
    HostAnswer answer(const HostRequest& request, RuleContext& context) const override;
};

}  // namespace vtx::hostsim
