// The receipt lines (028/029) of a sale and of a cancellation: a few lines
// of at most 38 characters, from the transaction's totals; the card number
// masked.
//
// Thread-safety: pure functions.
#pragma once

#include <string>
#include <vector>

#include "CardRecord.h"
#include "Transaction.h"

namespace vtx::hostsim {

inline constexpr size_t kReceiptWidth = 38;

// `holder` may be nullptr (the card left the file).
std::vector<std::string> saleReceipt(const Transaction& sale, const CardRecord* holder);
std::vector<std::string> cancellationReceipt(const Transaction& cancellation,
                                             const CardRecord* holder);

}  // namespace vtx::hostsim
