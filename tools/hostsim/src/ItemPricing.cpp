#include "ItemPricing.h"

#include <algorithm>

#include "HostStatus.h"

namespace vtx::hostsim {
namespace {

constexpr long kMaxItemQuantity = 999;

ProductItem refusedItem(const ProductItem& asked, const ProductItem* product, std::string status) {
    ProductItem item = product != nullptr ? *product : ProductItem{};
    item.code = asked.code;
    item.type = asked.type;
    item.quantity = 0;
    item.gross = asked.gross;
    item.net = 0;
    item.collect = 0;
    item.discount = 0;
    item.status = std::move(status);
    return item;
}

}  // namespace

ProductItem priceItem(const ProductItem& asked, const Catalogue& catalogue) {
    const ProductItem* product = catalogue.find(asked.code, asked.type);
    if (product == nullptr) return refusedItem(asked, nullptr, status::kNotInCatalogue);
    if (asked.quantity < 1 || asked.quantity > kMaxItemQuantity)
        return refusedItem(asked, product, status::kBadQuantity);
    if (!product->authorised()) return refusedItem(asked, product, product->status);
    ProductItem item = *product;
    item.quantity = product->limit > 0 ? std::min(asked.quantity, product->limit) : asked.quantity;
    item.limit = 0;
    return item;
}

}  // namespace vtx::hostsim
