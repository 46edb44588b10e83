#include "ReversalRule.h"

#include <algorithm>

namespace vtx::hostsim {
namespace {

// Puts back what `t` changed in the transaction it is linked to.
void undoLink(const Transaction& t, LedgerBook& book, HostAnswer& answer) {
    Transaction* linked = t.linked != 0 ? book.find(t.linked) : nullptr;
    if (linked == nullptr || linked->card != t.card) return;
    bool changed = false;
    if (t.kind == TransactionKind::kCancellation) {
        for (const TransactionItem& item : t.items) {
            if (item.source >= linked->items.size()) continue;
            long& cancelled = linked->items[item.source].cancelled;
            cancelled = std::max(0L, cancelled - item.product.quantity);
            changed = true;
        }
    }
    const TransactionState mark = t.kind == TransactionKind::kCancellation
                                      ? TransactionState::kCancelled
                                      : TransactionState::kUsed;
    if (t.linkedBefore && linked->state == mark) {
        linked->state = *t.linkedBefore;
        changed = true;
    }
    if (changed) answer.stateLines.push_back(stateLine(*linked));
}

}  // namespace

HostAnswer ReversalRule::answer(const HostRequest& request, RuleContext& context) const {
    if (!request.nsu) return HostAnswer::unreadable("012-000 (NSU) ausente");
    HostAnswer answer = context.ledger.update([&](LedgerBook& book) {
        Transaction* t = book.find(*request.nsu);
        if (t == nullptr)
            return HostAnswer::refused(status::kUnknownTransaction, "Transacao nao encontrada");
        if (t->state == TransactionState::kReversed)
            return HostAnswer::refused(status::kAlreadyDone, "Transacao ja desfeita");
        if (t->state != TransactionState::kOpen && t->state != TransactionState::kPending) {
            return HostAnswer::refused(status::kWrongState,
                                       "Transacao " + std::string(stateName(t->state)));
        }
        t->state = TransactionState::kReversed;
        HostAnswer reversed;
        reversed.stateLines.push_back(stateLine(*t));
        undoLink(*t, book, reversed);
        return reversed;
    });
    answer.nsu = *request.nsu;
    return answer;
}

}  // namespace vtx::hostsim
