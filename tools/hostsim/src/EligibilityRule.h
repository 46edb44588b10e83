// Cardholder eligibility, 0100 with processing code 800500 (sale) or one of
// the pre-sale codes of host.ini (800000 by default).
//
// The card (953-000, number or track) must be in cards.ini and not blocked
// (56, 62), and the identification fields in 949-000 ("LL" + value, once or
// twice) must equal those the card requires (55, compared without regard to
// case or surrounding blanks); each refusal carries an operator message.
// Accepted: 00, the card's operator message if it has one, and
//   pre-sale: a new NSU, opening a pre-authorisation;
//   sale, page 0 (no 900-000): a new NSU, opening a sale, and the first
//     page of the items the card's held pre-authorisation authorised;
//   sale, page n: the NSU of the card's open sale (58 if none) and page n.
// A page lists 900-000 (next page, 0 for the last) and 901-000 with the
// items 902 906 905 910 911 912 909 919.
//
// Thread-safety: as TransactionRule.
#pragma once

#include <string>
#include <vector>

#include "TransactionRule.h"

namespace vtx::hostsim {

class EligibilityRule : public TransactionRule {
public:
    explicit EligibilityRule(std::vector<std::string> preSaleCodes)
        : preSaleCodes_(std::move(preSaleCodes)) {}

    bool handles(const HostRequest& request) const override;
    HostAnswer answer(const HostRequest& request, RuleContext& context) const override;

private:
    HostAnswer openPreAuthorisation(const std::string& card, const TransactionOrigin& origin,
                                    RuleContext& context) const;
    HostAnswer saleItems(const std::string& card, long page, const TransactionOrigin& origin,
                         RuleContext& context) const;

    std::vector<std::string> preSaleCodes_;
};

}  // namespace vtx::hostsim
