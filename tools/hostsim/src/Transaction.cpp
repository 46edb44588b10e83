#include "Transaction.h"

#include "FieldText.h"
#include "ItemGroups.h"

namespace vtx::hostsim {

std::string_view kindName(TransactionKind kind) {
    switch (kind) {
        case TransactionKind::kPreAuthorisation:
            return "preauth";
        case TransactionKind::kSale:
            return "sale";
        case TransactionKind::kCancellation:
            return "cancellation";
    }
    return "?";
}

std::string_view stateName(TransactionState state) {
    static constexpr std::string_view kNames[] = {"open",     "pending",   "confirmed", "reversed",
                                                  "declined", "cancelled", "used",      "replaced"};
    return kNames[static_cast<size_t>(state)];
}

std::string stateLine(const Transaction& t) {
    std::string line = "nsu=" + zeroFill(t.nsu, 6) + " kind=" + std::string(kindName(t.kind)) +
                       " state=" + std::string(stateName(t.state)) + " card=" + maskedCard(t.card);
    if (t.linked != 0) line += " linked=" + zeroFill(t.linked, 6);
    line += " items=";
    for (size_t i = 0; i < t.items.size(); ++i) {
        const TransactionItem& item = t.items[i];
        if (i > 0) line += ",";
        line += itemValue(item.product, 902) + "/" + item.product.type + "/" +
                std::to_string(item.product.quantity) + "/" + std::to_string(item.cancelled) + "/" +
                item.product.status;
    }
    return line;
}

}  // namespace vtx::hostsim
