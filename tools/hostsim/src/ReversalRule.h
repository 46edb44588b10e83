// Reversal, 0420 with any processing code: the open or pending transaction
// of the NSU in 012-000 becomes reversed, and what it changed is put back:
// a sale gives its pre-authorisation back to the card, a cancellation gives
// the units it cancelled back to its transaction (and that transaction its
// former state). Reversing a reversed transaction again is a repeat the
// host recognises: 94 "Transacao ja desfeita", and nothing changes. A
// confirmed transaction is cancelled, not reversed (59), as is any other
// state; an unknown NSU gets 58. The answer echoes the NSU.
//
// Thread-safety: as TransactionRule.
#pragma once

#include "TransactionRule.h"

namespace vtx::hostsim {

class ReversalRule : public TransactionRule {
public:
    bool handles(const HostRequest& request) const override { return request.type == "0420"; }
    HostAnswer answer(const HostRequest& request, RuleContext& context) const override;
};

}  // namespace vtx::hostsim
