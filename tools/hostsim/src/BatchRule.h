// The product batches of a pre-authorisation (0100/800200) or a sale
// (0200/800300): up to 12 items per message, 900-000 = 1 while more batches
// follow, all under the NSU the eligibility gave (012-000).
//
// The NSU must name an open transaction of the rule's kind (58, 59). Each
// item is answered in the order received (ItemPricing) with 902 906 905 910
// 911 912 909 919, 900-000 as the request had it and 901-000 the count. The
// items are recorded; after the last batch the transaction is pending when
// it authorised anything (then complete() runs), otherwise it is declined
// and the last batch answered with status 40.
//
// Thread-safety: as TransactionRule.
#pragma once

#include <string_view>

#include "TransactionRule.h"

namespace vtx::hostsim {

class BatchRule : public TransactionRule {
public:
    bool handles(const HostRequest& request) const override;
    HostAnswer answer(const HostRequest& request, RuleContext& context) const override;

protected:
    BatchRule(std::string_view type, std::string_view proc, TransactionKind kind)
        : type_(type), proc_(proc), kind_(kind) {}

    // What the kind does once its last batch is answered; runs under the
    // ledger's lock with `t` already pending.
    virtual void complete(Transaction& t, LedgerBook& book, const RuleContext& context,
                          HostAnswer& answer) const = 0;

private:
    std::string_view type_;
    std::string_view proc_;
    TransactionKind kind_;
};

}  // namespace vtx::hostsim
