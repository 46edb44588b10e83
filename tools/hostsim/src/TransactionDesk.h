// The host's transactions: the data folder, the running state and the
// transaction rules, shared by every port. Created by main() when the
// simulator runs with --data. With a station folder (--station-dir), every
// request that changed the state has the report and batch files of the
// establishments and administrators it touched rewritten there before its
// answer is given back.
//
// Thread-safety: answer() may be called from any thread; the data is
// immutable and the state is behind the Ledger's mutex.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "HostData.h"
#include "Ledger.h"
#include "NsuCounter.h"
#include "StationFolder.h"
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

    // Keeps the report files in `folder` from now on; `problem` hears of a
    // file that could not be written. Call before the first answer.
    using ProblemSink = std::function<void(std::string_view)>;
    void keepStationFolder(std::string folder, ProblemSink problem);

private:
    void writeStationFiles(const HostAnswer& answer);

    const HostData data_;
    Ledger ledger_;
    std::unique_ptr<StationFolder> station_;
    ProblemSink problem_;
    std::vector<std::unique_ptr<TransactionRule>> rules_;
};

}  // namespace vtx::hostsim
