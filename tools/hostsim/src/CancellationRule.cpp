#include "CancellationRule.h"

#include "Paging.h"
#include "Receipt.h"

namespace vtx::hostsim {
namespace {

bool cancellable(const Transaction& t) {
    return t.kind != TransactionKind::kCancellation &&
           (t.state == TransactionState::kPending || t.state == TransactionState::kConfirmed);
}

// The first item of `target` that is this product with `units` left, or -1.
long itemWithUnits(const Transaction& target, const ProductItem& asked, long units) {
    const std::string code = canonicalCode(asked.code);
    for (size_t i = 0; i < target.items.size(); ++i) {
        const ProductItem& p = target.items[i].product;
        if (canonicalCode(p.code) == code && (asked.type.empty() || p.type == asked.type) &&
            target.items[i].remaining() >= units)
            return static_cast<long>(i);
    }
    return -1;
}

// The units to cancel, as (index in target, units); `answered` gets one
// entry per item asked.
std::vector<std::pair<size_t, long>> unitsToCancel(const Transaction& target,
                                                   const std::vector<ProductItem>& asked,
                                                   std::vector<ProductItem>& answered) {
    std::vector<std::pair<size_t, long>> units;
    if (asked.empty()) {
        for (size_t i = 0; i < target.items.size(); ++i) {
            if (target.items[i].remaining() > 0) units.emplace_back(i, target.items[i].remaining());
        }
        return units;
    }
    Transaction left = target;  // the same product may be asked twice
    for (const ProductItem& item : asked) {
        answered.push_back(item);
        long index = item.quantity > 0 ? itemWithUnits(left, item, item.quantity) : -1;
        answered.back().status = index < 0 ? status::kNotInTransaction : status::kApproved;
        if (index < 0) continue;
        left.items[static_cast<size_t>(index)].cancelled += item.quantity;
        units.emplace_back(static_cast<size_t>(index), item.quantity);
    }
    return units;
}

}  // namespace

bool CancellationRule::handles(const HostRequest& request) const {
    return request.type == "0200" && (request.proc == "800400" || request.proc == "900400");
}

HostAnswer CancellationRule::answer(const HostRequest& request, RuleContext& context) const {
    if (!request.nsu) return HostAnswer::unreadable("012-000 (NSU) ausente");
    if (request.items.size() > kPageSize) return HostAnswer::unreadable("mais de 12 itens");
    return context.ledger.update([&](LedgerBook& book) {
        Transaction* target = book.find(*request.nsu);
        if (target == nullptr)
            return HostAnswer::refused(status::kUnknownTransaction, "Transacao nao encontrada");
        if (!cancellable(*target))
            return HostAnswer::refused(status::kWrongState, "Transacao nao pode ser cancelada");
        HostAnswer answer;
        answer.paged = true;
        answer.itemList = ItemList::kCancelled;
        const auto units = unitsToCancel(*target, request.items, answer.items);
        if (units.empty()) {
            answer.status = status::kNothingDone;
            answer.message = "Nenhum item cancelado";
            return answer;
        }
        Transaction& c = book.add(context.nextNsu(), TransactionKind::kCancellation, target->card,
                                  request.origin());
        c.state = TransactionState::kPending;
        c.linked = target->nsu;
        for (const auto& [index, count] : units) {
            TransactionItem& source = target->items[index];
            source.cancelled += count;
            c.items.push_back(TransactionItem{source.product, 0, index});
            c.items.back().product.quantity = count;
        }
        if (!target->hasRemaining()) {
            c.linkedBefore = target->state;
            target->state = TransactionState::kCancelled;
        }
        answer.nsu = c.nsu;
        answer.receipt = cancellationReceipt(c, context.data.cards.find(c.card));
        answer.stateLines = {stateLine(c), stateLine(*target)};
        return answer;
    });
}

}  // namespace vtx::hostsim
