// Pre-authorisation batches, 0100/800200 (see BatchRule). Once complete,
// the pre-authorisation is the one its card holds, replacing an earlier one.
//
// Thread-safety: as TransactionRule.
#pragma once

#include "BatchRule.h"

namespace vtx::hostsim {

class PreAuthorisationRule : public BatchRule {
public:
    PreAuthorisationRule() : BatchRule("0100", "800200", TransactionKind::kPreAuthorisation) {}

protected:
    void complete(Transaction& t, LedgerBook& book, const RuleContext& context,
                  HostAnswer& answer) const override;
};

}  // namespace vtx::hostsim
