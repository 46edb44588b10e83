#include "ConfirmationRule.h"

namespace vtx::hostsim {

HostAnswer ConfirmationRule::answer(const HostRequest& request, RuleContext& context) const {
    if (!request.nsu) return HostAnswer::unreadable("012-000 (NSU) ausente");
    HostAnswer answer = context.ledger.update([&](LedgerBook& book) {
        Transaction* t = book.find(*request.nsu);
        if (t == nullptr)
            return HostAnswer::refused(status::kUnknownTransaction, "Transacao nao encontrada");
        if (t->state == TransactionState::kConfirmed)
            return HostAnswer::refused(status::kAlreadyDone, "Transacao ja confirmada");
        if (t->state != TransactionState::kPending) {
            return HostAnswer::refused(status::kWrongState,
                                       "Transacao " + std::string(stateName(t->state)));
        }
        t->state = TransactionState::kConfirmed;
        HostAnswer confirmed;
        confirmed.stateLines.push_back(stateLine(*t));
        return confirmed;
    });
    answer.nsu = *request.nsu;
    return answer;
}

}  // namespace vtx::hostsim
