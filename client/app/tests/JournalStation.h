// Test fixture of the journal's kill and host-drop tests: one shop station in
// a private VTX_ROOT with its own vtx-hostsim (sample cards and products,
// the station folder kept, faults as the run asks), the station process
// journal_station_driver run against it, and the judgement of a run: the
// host's record of every transaction and the station's journal must agree.
//
// Thread-safety: the test's thread only (it changes VTX_ROOT while it lives).
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "AgentProcess.h"
#include "HostSimProcess.h"
#include "vtx/commlib/testing/Station.h"

namespace vtx::client::test {

// The steps of a flow, in order, as the driver marks them.
extern const std::vector<std::string> kJournalSteps;
// The position of `step` in kJournalSteps; -1 for none.
int journalStepIndex(const std::string& step);

// A driver process that ran to its end.
struct DriverOutcome {
    int status = -1;
    std::vector<std::string> out;
    std::string err;

    // The value after "NSU " (empty when no such line), the last "STEP "
    // marker (empty when none).
    std::string nsu() const;
    std::string lastStep() const;
    std::string text() const;
};

// What a run was, for its judgement.
struct JournalRunFacts {
    bool cancelFlow = false;     // the watched request is a cancellation of `saleNsu`
    std::string saleNsu;         // the sale of the run (six digits)
    bool decideConfirm = false;  // the receipt screen's choice
    bool policyConfirm = false;  // the station's PendenteAoIniciar at the settlement
    std::string lastStep;        // the last marker the driver printed
};

class JournalStation {
public:
    // Starts the host with `keys` (fault settings) for a station of the
    // sample administrator DEMO0001.
    explicit JournalStation(vtx::hostsim::HostSimPort keys = {});

    // False (after a test failure) when the station could not be set up.
    bool ready() const { return ready_; }

    static constexpr const char* kCard = "6012000000000001";  // no identification asked
    // The products of a sale, as the driver's --products takes them.
    std::string productsFile() const { return "C:\\Vantrix\\products.csv"; }

    // The driver started with `arguments` (not waited for).
    std::unique_ptr<vtx::linkagent::test::AgentProcess> start(const std::vector<std::string>& arguments);
    // The driver run to its end (bounded).
    DriverOutcome run(const std::vector<std::string>& arguments);
    static DriverOutcome finish(vtx::linkagent::test::AgentProcess& driver);

    // PendenteAoIniciar in the station's VtxClient.ini.
    void setPolicy(bool confirm);

    // Every disagreement between the host's record, the journal and what
    // the run promised; empty when there is none.
    std::string disagreements(const JournalRunFacts& facts) const;
    // The host's transactions and the journal's entries, for a failure.
    std::string account() const;

    // The NSU as the host's records write it (six digits).
    static std::string hostNsu(const QString& nsu);

private:
    vtx::cli::test::Station station_;
    std::unique_ptr<vtx::hostsim::HostSimProcess> host_;
    bool ready_ = false;
};

}  // namespace vtx::client::test
