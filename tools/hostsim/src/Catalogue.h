// The products the host authorises, read from products.csv in the data
// folder: one product per line, columns separated by ";":
//   code;description;manufacturer;type;gross;discount;net;collect;status;limit
// Amounts in cents, the discount in hundredths of a percent; net, collect,
// status and limit may be left empty (net = gross less the discount,
// collect = net, status 00, no limit). A limit is the most units one item
// gets authorised: more asked are answered with the limit. Blank lines,
// lines starting with "#" and a first line starting with "code" are
// skipped. A product is its code and type.
//
// Thread-safety: immutable after parse(); const use from any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ProductItem.h"

namespace vtx::hostsim {

class Catalogue {
public:
    // Parses the file's text. On failure returns nullopt with `error`
    // naming the line and column.
    static std::optional<Catalogue> parse(std::string_view content, std::string& error);

    // The product with this code (leading zeros do not count) and type; an
    // empty `type` takes the first product with the code. nullptr if none.
    const ProductItem* find(std::string_view code, std::string_view type) const;

    // Products whose description holds `text` (without regard to case) or,
    // for a text of digits, whose code starts with it; all for an empty
    // text. In file order.
    std::vector<const ProductItem*> search(std::string_view text) const;

    size_t size() const { return products_.size(); }

private:
    std::vector<ProductItem> products_;
};

}  // namespace vtx::hostsim
