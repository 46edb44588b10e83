// The host's running state: its transactions by NSU, the pre-authorisation
// each card holds, the sale each card has open, the open batch of each
// establishment and administrator, and the distributor each establishment
// registered.
//
// Batches are numbered per establishment and administrator from 1. A batch
// closes as soon as it holds `batchSize` transactions, and the next
// transaction goes into the following batch; with batchSize 0 a batch never
// closes.
//
// Kept in memory only; it starts empty with the process, as the NSU counter
// does.
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
#include <vector>

#include "Transaction.h"

namespace vtx::hostsim {

class LedgerBook {
public:
    // Establishments (and origins of batches) kept at most.
    static constexpr size_t kMaxEstablishments = 1000;

    explicit LedgerBook(size_t capacity, long batchSize = 0)
        : capacity_(capacity), batchSize_(batchSize) {}

    Transaction* find(long nsu);
    const Transaction* find(long nsu) const;

    // A new transaction of `origin`, in its open batch, opened now; one of
    // the same NSU (after the counter wrapped) is forgotten. The reference
    // stays valid until the next trim().
    Transaction& add(long nsu, TransactionKind kind, std::string card,
                     TransactionOrigin origin = {});

    // The transactions of `origin`, oldest first.
    std::vector<const Transaction*> transactionsOf(const TransactionOrigin& origin) const;

    // The batch that is open for `origin` (1 before its first transaction),
    // and whether batch `batch` of `origin` is closed.
    long openBatch(const TransactionOrigin& origin) const;
    bool batchClosed(const TransactionOrigin& origin, long batch) const {
        return batch < openBatch(origin);
    }

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
    struct BatchCount {
        long number = 1;
        long transactions = 0;
    };

    size_t capacity_;
    long batchSize_;
    uint64_t nextSerial_ = 1;
    std::map<TransactionOrigin, BatchCount> batches_;
    std::unordered_map<long, Transaction> byNsu_;
    std::deque<std::pair<long, uint64_t>> order_;  // NSU and serial, oldest first
    std::map<std::string, long> heldByCard_;
    std::map<std::string, long> saleByCard_;
    std::map<std::string, std::string> distributors_;
};

}  // namespace vtx::hostsim
