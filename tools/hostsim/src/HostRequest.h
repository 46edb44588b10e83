// A request as the transaction rules see it, whichever form it came in:
// the numbered fields the rules use, read by TextRequestReader or
// IsoRequestReader.
//
// Thread-safety: a plain value.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ProductItem.h"
#include "Transaction.h"

namespace vtx::hostsim {

struct HostRequest {
    bool iso = false;                // the form of the request, and so of the answer
    std::string type;                // 000-000, the ISO message type
    std::string proc;                // 011-000, processing code
    std::optional<long> nsu;         // 012-000, the host transaction referred to
    std::string card;                // 953-000, card number or track
    std::string identification;      // 949-000, "LL" + value, once or twice
    std::optional<long> page;        // 900-000: a page asked for, or "more batches follow"
    std::string search;              // 920-000
    std::string document;            // 002-000, fiscal document of a sale
    std::string establishment;       // 942-000
    std::string distributor;         // 990-000
    std::string administrator;       // not a field: the code of the port's administrator
    std::vector<ProductItem> items;  // 902-914 per item, in the order sent

    bool isKind(std::string_view t, std::string_view p) const { return type == t && proc == p; }
    TransactionOrigin origin() const { return {establishment, administrator}; }
};

}  // namespace vtx::hostsim
