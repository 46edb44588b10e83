#include "TransactionDesk.h"

#include "CancellationRule.h"
#include "ConfirmationRule.h"
#include "EligibilityRule.h"
#include "PreAuthorisationRule.h"
#include "ProductQueryRule.h"
#include "RegistrationRule.h"
#include "ReversalRule.h"
#include "SaleRule.h"

namespace vtx::hostsim {

TransactionDesk::TransactionDesk(HostData data) : data_(std::move(data)) {
    rules_.push_back(std::make_unique<EligibilityRule>(data_.preSaleCodes));
    rules_.push_back(std::make_unique<PreAuthorisationRule>());
    rules_.push_back(std::make_unique<SaleRule>());
    rules_.push_back(std::make_unique<ConfirmationRule>());
    rules_.push_back(std::make_unique<ReversalRule>());
    rules_.push_back(std::make_unique<CancellationRule>());
    rules_.push_back(std::make_unique<ProductQueryRule>());
    rules_.push_back(std::make_unique<RegistrationRule>());
}

std::optional<HostAnswer> TransactionDesk::answer(const HostRequest& request, NsuCounter& nsu) {
    RuleContext context{data_, ledger_, nsu};
    for (const auto& rule : rules_) {
        if (rule->handles(request)) return rule->answer(request, context);
    }
    return std::nullopt;
}

}  // namespace vtx::hostsim
