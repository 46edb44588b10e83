#include "TransactionDesk.h"

#include <map>

#include "CancellationRule.h"
#include "ConfirmationRule.h"
#include "EligibilityRule.h"
#include "PreAuthorisationRule.h"
#include "ProductQueryRule.h"
#include "RegistrationRule.h"
#include "ReversalRule.h"
#include "SaleRule.h"

namespace vtx::hostsim {

TransactionDesk::TransactionDesk(HostData data)
    : data_(std::move(data)), ledger_(Ledger::kDefaultCapacity, data_.batchSize) {
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
        if (!rule->handles(request)) continue;
        HostAnswer answer = rule->answer(request, context);
        if (station_) writeStationFiles(answer);
        return answer;
    }
    return std::nullopt;
}

void TransactionDesk::keepStationFolder(std::string folder, ProblemSink problem) {
    station_ = std::make_unique<StationFolder>(std::move(folder));
    problem_ = std::move(problem);
}

void TransactionDesk::writeStationFiles(const HostAnswer& answer) {
    // The transactions the request changed are those of its STATE lines.
    std::vector<long> changed;
    for (const std::string& line : answer.stateLines) {
        if (!line.starts_with("nsu=")) continue;
        if (auto nsu = digitsValue(std::string_view(line).substr(4, line.find(' ') - 4)))
            changed.push_back(*nsu);
    }
    if (changed.empty()) return;
    std::string error;
    bool ok = station_->update(
        [&] {
            return ledger_.update([&](LedgerBook& book) {
                std::map<TransactionOrigin, ReportScope> scopes;
                for (long nsu : changed) {
                    const Transaction* t = book.find(nsu);
                    if (t == nullptr) continue;
                    ReportScope& scope = scopes[t->origin];
                    scope.batches.insert(t->batch);
                    scope.transactions.insert(nsu);
                }
                std::vector<ReportFile> files;
                for (const auto& [origin, scope] : scopes) {
                    std::vector<ReportFile> more = stationReports(book, origin, scope);
                    files.insert(files.end(), more.begin(), more.end());
                }
                return files;
            });
        },
        error);
    if (!ok && problem_) problem_(error);
}

}  // namespace vtx::hostsim
