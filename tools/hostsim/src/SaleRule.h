// Sale batches, 0200/800300 (see BatchRule). Once complete, the answer
// carries the receipt (028/029) and the pre-authorisation the sale read
// back is used; a reversal of the sale gives it back to the card.
//
// Thread-safety: as TransactionRule.
#pragma once

#include "BatchRule.h"

namespace vtx::hostsim {

class SaleRule : public BatchRule {
public:
    SaleRule() : BatchRule("0200", "800300", TransactionKind::kSale) {}

protected:
    void complete(Transaction& t, LedgerBook& book, const RuleContext& context,
                  HostAnswer& answer) const override;
};

}  // namespace vtx::hostsim
