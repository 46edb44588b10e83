// Cancellation, 0200 with processing code 800400 or 900400, of the sale or
// pre-authorisation of the NSU in 012-000 (58 if unknown; 59 unless it is
// pending or confirmed).
//
// Without items every unit still authorised is cancelled. With items (902
// 906 905, at most 12) each is cancelled when the transaction has that
// product with at least that many units left (item status 00), else it is
// refused (44); when nothing could be cancelled the answer is 40.
// A cancellation is a transaction of its own: a new NSU, pending until
// confirmed or reversed, with a receipt (028/029). The answer lists the
// items asked with 902 906 905 919. A transaction with no unit left becomes
// cancelled.
//
// Thread-safety: as TransactionRule.
#pragma once

#include "TransactionRule.h"

namespace vtx::hostsim {

class CancellationRule : public TransactionRule {
public:
    bool handles(const HostRequest& request) const override;
    HostAnswer answer(const HostRequest& request, RuleContext& context) const override;
};

}  // namespace vtx::hostsim
