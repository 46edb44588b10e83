// The host's answer for one item of a pre-authorisation or sale batch.
//
// A product of the catalogue, asked with a quantity from 1 to 999, is
// answered with the catalogue's description, prices, discount and status,
// and the quantity asked, lowered to the catalogue's limit when it has one
// (a partial authorisation); the catalogue's prices win over those the
// station sent. Otherwise the item is refused: status 41 (not in the catalogue), 43
// (quantity), or the catalogue's own status when it is 40 or above; a
// refused item has quantity 0, the gross price asked and no other amounts.
//
// Thread-safety: pure function.
#pragma once

#include "Catalogue.h"
#include "ProductItem.h"

namespace vtx::hostsim {

ProductItem priceItem(const ProductItem& asked, const Catalogue& catalogue);

}  // namespace vtx::hostsim
