#include "PreAuthorisationRule.h"

namespace vtx::hostsim {

void PreAuthorisationRule::complete(Transaction& t, LedgerBook& book, const RuleContext&,
                                    HostAnswer& answer) const {
    if (Transaction* earlier = book.hold(t)) answer.stateLines.push_back(stateLine(*earlier));
}

}  // namespace vtx::hostsim
