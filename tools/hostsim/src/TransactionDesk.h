// The host's transactions: the data folder, the running state and the
// transaction rules, shared by every port. Created by main() when the
// simulator runs with --data.
//
// Thread-safety: answer() may be called from any thread; the data is
// immutable and the state is behind the Ledger's mutex.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "HostData.h"
#include "Ledger.h"
#include "NsuCounter.h"
#include "TransactionRule.h"

namespace vtx::hostsim {

class TransactionDesk {
public:
    explicit TransactionDesk(HostData data);
    TransactionDesk(const TransactionDesk&) = delete;
    TransactionDesk& operator=(const TransactionDesk&) = delete;

    // The answer of the rule for the request's kind, or nullopt when no
    // transaction rule handles that kind.
    std::optional<HostAnswer> answer(const HostRequest& request, NsuCounter& nsu);

    // What the data folder holds (cards, catalogue, logon tables).
    const HostData& data() const { return data_; }

private:
    const HostData data_;
    Ledger ledger_;
    std::vector<std::unique_ptr<TransactionRule>> rules_;
};

}  // namespace vtx::hostsim
