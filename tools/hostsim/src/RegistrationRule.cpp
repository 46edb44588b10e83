#include "RegistrationRule.h"

namespace vtx::hostsim {

HostAnswer RegistrationRule::answer(const HostRequest& request, RuleContext& context) const {
    if (request.distributor.empty())
        return HostAnswer::unreadable("990-000 (distribuidor) ausente");
    context.ledger.update([&](LedgerBook& book) {
        book.registerDistributor(request.establishment, request.distributor);
    });
    HostAnswer answer;
    answer.stateLines.push_back("registration establishment=" + request.establishment +
                                " distributor=" + request.distributor);
    return answer;
}

}  // namespace vtx::hostsim
