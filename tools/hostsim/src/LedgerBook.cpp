#include "LedgerBook.h"

namespace vtx::hostsim {
namespace {

Transaction* lookUp(std::unordered_map<long, Transaction>& byNsu,
                    const std::map<std::string, long>& byCard, const std::string& card) {
    auto link = byCard.find(card);
    if (link == byCard.end()) return nullptr;
    auto it = byNsu.find(link->second);
    // The number may since have gone to another card's transaction.
    return it == byNsu.end() || it->second.card != card ? nullptr : &it->second;
}

}  // namespace

Transaction* LedgerBook::find(long nsu) {
    auto it = byNsu_.find(nsu);
    return it == byNsu_.end() ? nullptr : &it->second;
}

const Transaction* LedgerBook::find(long nsu) const {
    auto it = byNsu_.find(nsu);
    return it == byNsu_.end() ? nullptr : &it->second;
}

Transaction& LedgerBook::add(long nsu, TransactionKind kind, std::string card,
                             TransactionOrigin origin) {
    Transaction& t = byNsu_[nsu];
    t = Transaction{};
    t.nsu = nsu;
    t.serial = nextSerial_++;
    t.kind = kind;
    t.card = std::move(card);
    t.opened = std::time(nullptr);
    if (batches_.size() >= kMaxEstablishments && !batches_.count(origin))
        batches_.erase(batches_.begin());
    BatchCount& batch = batches_[origin];
    t.batch = batch.number;
    // A full batch closes at once: the next transaction opens the next one.
    if (batchSize_ > 0 && ++batch.transactions >= batchSize_)
        batch = BatchCount{batch.number + 1, 0};
    t.origin = std::move(origin);
    order_.emplace_back(nsu, t.serial);
    if (kind == TransactionKind::kSale) saleByCard_[t.card] = nsu;
    return t;
}

std::vector<const Transaction*> LedgerBook::transactionsOf(const TransactionOrigin& origin) const {
    std::vector<const Transaction*> found;
    for (const auto& [nsu, serial] : order_) {
        auto it = byNsu_.find(nsu);
        if (it != byNsu_.end() && it->second.serial == serial && it->second.origin == origin)
            found.push_back(&it->second);
    }
    return found;
}

long LedgerBook::openBatch(const TransactionOrigin& origin) const {
    auto it = batches_.find(origin);
    return it == batches_.end() ? 1 : it->second.number;
}

Transaction* LedgerBook::heldBy(const std::string& card) {
    Transaction* t = lookUp(byNsu_, heldByCard_, card);
    return t != nullptr && t->held() ? t : nullptr;
}

Transaction* LedgerBook::hold(Transaction& preAuthorisation) {
    Transaction* earlier = heldBy(preAuthorisation.card);
    if (earlier == &preAuthorisation) earlier = nullptr;
    if (earlier != nullptr) earlier->state = TransactionState::kReplaced;
    heldByCard_[preAuthorisation.card] = preAuthorisation.nsu;
    return earlier;
}

Transaction* LedgerBook::openSaleOf(const std::string& card) {
    Transaction* t = lookUp(byNsu_, saleByCard_, card);
    return t != nullptr && t->kind == TransactionKind::kSale && t->state == TransactionState::kOpen
               ? t
               : nullptr;
}

void LedgerBook::registerDistributor(const std::string& establishment,
                                     const std::string& distributor) {
    if (distributors_.size() >= kMaxEstablishments && !distributors_.count(establishment))
        distributors_.erase(distributors_.begin());
    distributors_[establishment] = distributor;
}

void LedgerBook::trim() {
    while (byNsu_.size() > capacity_ && !order_.empty()) {
        auto [nsu, serial] = order_.front();
        order_.pop_front();
        auto it = byNsu_.find(nsu);
        // A pair whose number was reused since is stale: the newer one stays.
        if (it != byNsu_.end() && it->second.serial == serial) byNsu_.erase(it);
    }
}

}  // namespace vtx::hostsim
