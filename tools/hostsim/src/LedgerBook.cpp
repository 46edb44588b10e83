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

Transaction& LedgerBook::add(long nsu, TransactionKind kind, std::string card) {
    Transaction& t = byNsu_[nsu];
    t = Transaction{};
    t.nsu = nsu;
    t.serial = nextSerial_++;
    t.kind = kind;
    t.card = std::move(card);
    order_.emplace_back(nsu, t.serial);
    if (kind == TransactionKind::kSale) saleByCard_[t.card] = nsu;
    return t;
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
