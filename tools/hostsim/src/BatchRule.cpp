#include "BatchRule.h"

#include "ItemPricing.h"
#include "Paging.h"

namespace vtx::hostsim {
namespace {

// Items one transaction may hold: twenty full batches.
constexpr size_t kMaxItems = 20 * kPageSize;

}  // namespace

bool BatchRule::handles(const HostRequest& request) const {
    return request.isKind(type_, proc_);
}

HostAnswer BatchRule::answer(const HostRequest& request, RuleContext& context) const {
    if (!request.nsu) return HostAnswer::unreadable("012-000 (NSU) ausente");
    if (request.items.size() > kPageSize) return HostAnswer::unreadable("mais de 12 itens");
    std::vector<ProductItem> answered;
    for (const ProductItem& asked : request.items)
        answered.push_back(priceItem(asked, context.data.catalogue));
    const bool last = request.page.value_or(0) == 0;

    return context.ledger.update([&](LedgerBook& book) {
        Transaction* t = book.find(*request.nsu);
        if (t == nullptr)
            return HostAnswer::refused(status::kUnknownTransaction, "Transacao nao encontrada");
        if (t->kind != kind_ || t->state != TransactionState::kOpen)
            return HostAnswer::refused(status::kWrongState, "Transacao nao aceita mais itens");
        if (t->items.size() + answered.size() > kMaxItems)
            return HostAnswer::refused(status::kItemLimit, "Limite de itens da transacao");
        for (const ProductItem& item : answered) t->items.push_back(TransactionItem{item});
        if (!request.document.empty()) t->document = request.document;

        HostAnswer answer;
        answer.nsu = t->nsu;
        answer.paged = true;
        answer.nextPage = last ? 0 : 1;
        answer.itemList = ItemList::kAuthorised;
        answer.items = answered;
        if (last && t->hasRemaining()) {
            t->state = TransactionState::kPending;
            complete(*t, book, context, answer);
        } else if (last) {
            t->state = TransactionState::kDeclined;
            answer.status = status::kNothingDone;
            answer.message = "Nenhum produto autorizado";
        }
        answer.stateLines.insert(answer.stateLines.begin(), stateLine(*t));
        return answer;
    });
}

}  // namespace vtx::hostsim
