// The host's running state: its transactions by NSU, the pre-authorisation
// each card holds, the sale each card has open, and the distributor each
// establishment registered. Kept in memory only; it starts empty with the
// process, as the NSU counter does.
//
// At most `capacity` transactions are kept: trim() forgets the oldest ones
// beyond that, so a long run cannot grow without bound.
//
// Thread-safety: none of its own; reached only through Ledger::update(),
// which holds the ledger's mutex.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

#include "Transaction.h"

namespace vtx::hostsim {

class LedgerBook {
public:
    static constexpr size_t kMaxEstablishments = 1000;

    explicit LedgerBook(size_t capacity) : capacity_(capacity) {}

    Transaction* find(long nsu);

    // A new transaction; one of the same NSU (after the counter wrapped) is
    // forgotten. The reference stays valid until the next trim().
    Transaction& add(long nsu, TransactionKind kind, std::string card);

    // The card's held pre-authorisation, or nullptr.
    Transaction* heldBy(const std::string& card);

    // Makes `preAuthorisation` the one its card holds; an earlier held one
    // becomes replaced and is returned (nullptr when there was none).
    Transaction* hold(Transaction& preAuthorisation);

    // The card's most recent sale while it is open, or nullptr.
    Transaction* openSaleOf(const std::string& card);

    // Records the establishment's distributor; at most kMaxEstablishments
    // are kept.
    void registerDistributor(const std::string& establishment, const std::string& distributor);

    // Forgets the oldest transactions beyond the capacity.
    void trim();

private:
    size_t capacity_;
    uint64_t nextSerial_ = 1;
    std::unordered_map<long, Transaction> byNsu_;
    std::deque<std::pair<long, uint64_t>> order_;  // NSU and serial, oldest first
    std::map<std::string, long> heldByCard_;
    std::map<std::string, long> saleByCard_;
    std::map<std::string, std::string> distributors_;
};

}  // namespace vtx::hostsim
