// Product query, 0100/800100: the catalogue's products matching the search
// text in 920-000 (Catalogue::search), page 900-000 (0 when absent) of 12.
// A page lists 900-000 (next page, 0 for the last), 901-000 and per item
// 902 903 904 906 910 909 911 912 919; no product on the page gives 41.
// The answer echoes the NSU when the request had one.
//
// Thread-safety: as TransactionRule (reads only the catalogue).
#pragma once

#include "TransactionRule.h"

namespace vtx::hostsim {

class ProductQueryRule : public TransactionRule {
public:
    bool handles(const HostRequest& request) const override {
        return request.isKind("0100", "800100");
    }
    HostAnswer answer(const HostRequest& request, RuleContext& context) const override;
};

}  // namespace vtx::hostsim
