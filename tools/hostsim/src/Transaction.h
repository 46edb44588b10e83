// One host transaction, numbered by its NSU: a pre-authorisation, a sale or
// a cancellation, and where it stands.
//
//   open       opened by an eligibility (pre-authorisation, sale); batches of
//              items may still come
//   pending    authorised (last batch answered, or cancellation done), waiting
//              for the confirmation (0202) or the reversal (0420)
//   confirmed  confirmed by the station
//   reversed   undone by a reversal; what it changed is put back
//   declined   its batches ended without one authorised item
//   cancelled  every authorised unit cancelled
//   used       a pre-authorisation taken over by a sale
//   replaced   a pre-authorisation superseded by a newer one of the same card
//
// A pre-authorisation that is pending or confirmed is held for its card: the
// next sale of the card reads its items back.
//
// Every transaction belongs to the batch that was open for its
// establishment and administrator when it was created (LedgerBook).
//
// Thread-safety: a plain value, guarded by the Ledger that holds it.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ProductItem.h"

namespace vtx::hostsim {

enum class TransactionKind { kPreAuthorisation, kSale, kCancellation };

enum class TransactionState {
    kOpen,
    kPending,
    kConfirmed,
    kReversed,
    kDeclined,
    kCancelled,
    kUsed,
    kReplaced
};

struct TransactionItem {
    ProductItem product;  // as answered; quantity = units authorised (or cancelled)
    long cancelled = 0;   // units cancelled since
    size_t source = 0;    // in a cancellation: the item's index in the cancelled transaction

    long remaining() const { return product.authorised() ? product.quantity - cancelled : 0; }
};

// Where a transaction comes from: the establishment of the request (942-000)
// and the code of the administrator whose port it came in on.
struct TransactionOrigin {
    std::string establishment;
    std::string administrator;

    auto operator<=>(const TransactionOrigin&) const = default;
};

struct Transaction {
    long nsu = 0;
    uint64_t serial = 0;  // order of creation, unique for the process
    TransactionKind kind = TransactionKind::kSale;
    TransactionState state = TransactionState::kOpen;
    std::string card;      // digits
    std::string document;  // fiscal document of a sale
    std::vector<TransactionItem> items;
    long linked = 0;  // sale: the pre-authorisation read back; cancellation: the target
    std::optional<TransactionState> linkedBefore;  // state of `linked` before this one changed it
    TransactionOrigin origin;
    long batch = 0;          // batch number within the origin, from 1
    std::time_t opened = 0;  // when it was created

    long cancelledUnits() const {
        long units = 0;
        for (const TransactionItem& item : items) units += item.cancelled;
        return units;
    }

    bool held() const {
        return kind == TransactionKind::kPreAuthorisation &&
               (state == TransactionState::kPending || state == TransactionState::kConfirmed);
    }
    bool hasRemaining() const {
        for (const TransactionItem& item : items) {
            if (item.remaining() > 0) return true;
        }
        return false;
    }
};

std::string_view kindName(TransactionKind kind);
std::string_view stateName(TransactionState state);

// The STATE line of the request log for `t` (doc/hostsim.md, "Log").
std::string stateLine(const Transaction& t);

}  // namespace vtx::hostsim
