#include "SaleRule.h"

#include "Receipt.h"

namespace vtx::hostsim {

void SaleRule::complete(Transaction& t, LedgerBook& book, const RuleContext& context,
                        HostAnswer& answer) const {
    Transaction* preAuthorisation = t.linked != 0 ? book.find(t.linked) : nullptr;
    if (preAuthorisation != nullptr && preAuthorisation->held() &&
        preAuthorisation->card == t.card) {
        t.linkedBefore = preAuthorisation->state;
        preAuthorisation->state = TransactionState::kUsed;
        answer.stateLines.push_back(stateLine(*preAuthorisation));
    }
    answer.receipt = saleReceipt(t, context.data.cards.find(t.card));
}

}  // namespace vtx::hostsim
