#include "app/tests/JournalStation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "core/TransactionJournal.h"
#include "field/LeadingNumber.h"
#include "vtx/commlib/testing/StationHost.h"
#include "vtx/platform/IniFile.h"

namespace vtx::client::test {

const std::vector<std::string> kJournalSteps = {
    "before-send",         "in-flight",         "answered",         "receipt",
    "confirm-before-send", "confirm-in-flight", "confirm-answered", "done"};

int journalStepIndex(const std::string& step) {
    for (size_t i = 0; i < kJournalSteps.size(); ++i)
        if (kJournalSteps[i] == step) return static_cast<int>(i);
    return -1;
}

namespace {

const std::string kDriver = std::string(VTX_BIN_DIR) + "/journal_station_driver";
const char* const kAdministrator = "DEMO0001";
const char* const kClientIni = "C:\\Vantrix\\VtxClient.ini";
constexpr auto kBound = std::chrono::seconds(60);

// One transaction as the host's STATE lines tell it.
struct HostTransaction {
    std::string kind;                 // sale, cancellation, preauth
    std::vector<std::string> states;  // oldest first
    std::string last() const { return states.empty() ? std::string() : states.back(); }
    bool was(const std::string& state) const {
        return std::find(states.begin(), states.end(), state) != states.end();
    }
    // How many times a confirmation took it from pending to confirmed.
    int confirmations() const {
        int n = 0;
        for (size_t i = 0; i < states.size(); ++i)
            if (states[i] == "confirmed" && (i == 0 || states[i - 1] == "pending")) ++n;
        return n;
    }
};

std::string field(const std::string& line, const std::string& key) {
    const size_t at = line.find(" " + key + "=");
    if (at == std::string::npos) return {};
    const size_t from = at + key.size() + 2;
    return line.substr(from, line.find(' ', from) - from);
}

std::map<std::string, HostTransaction> hostTransactions(const vtx::hostsim::HostSimProcess& host) {
    std::map<std::string, HostTransaction> found;
    for (const std::string& line : host.logLines()) {
        const size_t at = line.find(" STATE nsu=");
        if (at == std::string::npos) continue;
        const std::string rest = line.substr(at + 6);
        HostTransaction& t = found[field(rest, "nsu")];
        t.kind = field(rest, "kind");
        t.states.push_back(field(rest, "state"));
    }
    return found;
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}  // namespace

std::string DriverOutcome::nsu() const {
    for (const std::string& line : out)
        if (line.rfind("NSU ", 0) == 0) return line.substr(4);
    return {};
}

std::string DriverOutcome::lastStep() const {
    std::string last;
    for (const std::string& line : out)
        if (line.rfind("STEP ", 0) == 0) last = line.substr(5);
    return last;
}

std::string DriverOutcome::text() const {
    std::string all = "exit " + std::to_string(status) + "\n";
    for (const std::string& line : out) all += "  " + line + "\n";
    return all + err;
}

JournalStation::JournalStation(vtx::hostsim::HostSimPort keys) {
    station_.setCore("Config", "ESTAB_CODE", "000000000012345");
    std::filesystem::copy_file(VTX_SOURCE_DIR "/client/app/station/VtxClient.ini",
                               station_.installDir() + "/VtxClient.ini");
    station_.root().writeFile("C/Vantrix/products.csv",
                              "# code;quantity;gross;discount;net;type\n"
                              "7890000000017;2;12,50;10,00;11,25;1\n"
                              "7890000000062;1;13,80;0,00;13,80;1\n");
    host_ = vtx::cli::test::stationHost(station_, "Rede Demo           DEMO0001", kAdministrator,
                                        kAdministrator, std::move(keys));
    host_->setStationFolder(station_.installDir());
    if (!host_->start()) {
        ADD_FAILURE() << host_->error();
        return;
    }
    // A time-out that outlasts the host's delay on a loaded machine.
    vtx::cli::RouteRecord route = vtx::cli::test::Station::route(kAdministrator, host_->port("host"));
    route.timeout = "20";
    station_.writeRoutes({route});
    ready_ = true;
}

std::unique_ptr<vtx::linkagent::test::AgentProcess> JournalStation::start(
    const std::vector<std::string>& arguments) {
    auto driver = std::make_unique<vtx::linkagent::test::AgentProcess>(
        arguments, vtx::linkagent::test::AgentProcess::Environment{}, kDriver);
    EXPECT_TRUE(driver->start()) << kDriver;
    return driver;
}

DriverOutcome JournalStation::finish(vtx::linkagent::test::AgentProcess& driver) {
    DriverOutcome outcome;
    outcome.status = driver.waitForExit(kBound);
    if (outcome.status < 0) outcome.status = driver.stop(SIGKILL);
    outcome.out = driver.output();
    outcome.err = driver.errors();
    return outcome;
}

DriverOutcome JournalStation::run(const std::vector<std::string>& arguments) {
    auto driver = start(arguments);
    return finish(*driver);
}

void JournalStation::setPolicy(bool confirm) {
    EXPECT_TRUE(vtx::platform::iniWriteString(kClientIni, "DADOS_GERAIS", "PendenteAoIniciar",
                                              confirm ? "CONFIRMAR" : "DESFAZER"));
}

std::string JournalStation::hostNsu(const QString& nsu) {
    return QString::number(leadingNumber(nsu)).rightJustified(6, u'0').toStdString();
}

std::string JournalStation::disagreements(const JournalRunFacts& facts) const {
    std::ostringstream wrong;
    const std::map<std::string, HostTransaction> host = hostTransactions(*host_);
    auto hostOf = [&](const std::string& nsu) {
        const auto it = host.find(nsu);
        return it == host.end() ? HostTransaction{} : it->second;
    };

    TransactionJournal journal(station_.installDir() + "/" + TransactionJournal::kFileName);
    if (!journal.load()) return "the journal cannot be read: " + journal.lastError().toStdString();

    // The watched transaction: the sale, or the run's cancellation of it.
    std::string watched = facts.cancelFlow ? std::string() : facts.saleNsu;
    for (const auto& [nsu, t] : host)
        if (facts.cancelFlow && t.kind == "cancellation") watched = nsu;
    const bool cancellationConfirmed = facts.cancelFlow && hostOf(watched).last() == "confirmed";

    // Every entry settled, as the host has it.
    for (const JournalEntry& e : journal.entries()) {
        const std::string nsu = e.nsu.trimmed().isEmpty() ? std::string() : hostNsu(e.nsu);
        const HostTransaction t = hostOf(nsu);
        const std::string last = t.last();
        const std::string name = journalKindName(e.request.kind).toStdString() + " " +
                                 (nsu.empty() ? "(no NSU)" : nsu);
        if (e.open()) {
            wrong << name << " left open (" << journalStateName(e.state).toStdString() << ")\n";
            continue;
        }
        bool agrees = false;
        switch (e.outcome) {
            case JournalOutcome::Confirmada:
                // A confirmed sale whose cancellation was confirmed later.
                agrees = last == "confirmed" ||
                         (e.request.kind == JournalKind::Venda && last == "cancelled" &&
                          cancellationConfirmed);
                break;
            case JournalOutcome::Desfeita:
                agrees = last == "reversed";
                break;
            case JournalOutcome::NaoAutorizada:
            case JournalOutcome::Recusada:
                agrees = last.empty() || last == "open" || last == "declined" || last == "reversed";
                break;
            case JournalOutcome::LiquidacaoRecusada:
            case JournalOutcome::Nenhum:
                break;
        }
        if (!agrees)
            wrong << name << ": journal " << journalOutcomeName(e.outcome).toStdString()
                  << ", host " << (last.empty() ? "absent" : last) << "\n";
    }

    // Every transaction of the host settled, each known to the journal.
    for (const auto& [nsu, t] : host) {
        if (t.kind != "sale" && t.kind != "cancellation") continue;
        if (t.last() == "pending") wrong << t.kind << " " << nsu << " left pending at the host\n";
        if (t.confirmations() > 1)
            wrong << t.kind << " " << nsu << " confirmed " << t.confirmations() << " times\n";
        if (t.was("pending") && journal.findByNsu(QString::fromStdString(nsu)) == nullptr)
            wrong << t.kind << " " << nsu << " authorised by the host, unknown to the journal\n";
    }
    if (facts.cancelFlow) {
        const std::string sale = hostOf(facts.saleNsu).last();
        if (sale != (cancellationConfirmed ? "cancelled" : "confirmed"))
            wrong << "the cancelled sale is " << sale << " with its cancellation "
                  << (watched.empty() ? "absent" : hostOf(watched).last()) << "\n";
    }

    // What was sent at the receipt screen holds; before it, the policy.
    const std::string end = hostOf(watched).last();
    const bool settlementLeft = journalStepIndex(facts.lastStep) >= journalStepIndex("confirm-before-send");
    if (settlementLeft && end != (facts.decideConfirm ? "confirmed" : "reversed"))
        wrong << "the " << (facts.decideConfirm ? "confirmation" : "annulment")
              << " had left, yet the host has " << (end.empty() ? "nothing" : end) << "\n";
    if (!settlementLeft && hostOf(watched).was("pending") &&
        end != (facts.policyConfirm ? "confirmed" : "reversed"))
        wrong << "authorised and left undecided, the station's policy "
              << (facts.policyConfirm ? "CONFIRMAR" : "DESFAZER") << " gave " << end << "\n";

    // The file: no card number, its owner's only. An entry's id is 16
    // random hexadecimal digits, which now and then hold 11 decimal ones in
    // a row: the ids are left out of the search.
    const std::string path = journal.path();
    const std::string withoutIds =
        std::regex_replace(contentOf(path), std::regex("\\|id=[0-9a-f]+\\|"), "|id=|");
    if (std::regex_search(withoutIds, std::regex("[0-9]{11,}")))
        wrong << "the journal holds a run of 11 or more digits\n";
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || (st.st_mode & 0777) != 0600)
        wrong << "the journal's mode is " << std::oct << (st.st_mode & 0777) << std::dec << "\n";
    return wrong.str();
}

std::string JournalStation::account() const {
    std::ostringstream text;
    text << "host:\n";
    for (const auto& [nsu, t] : hostTransactions(*host_)) {
        text << "  " << nsu << " " << t.kind << ":";
        for (const std::string& s : t.states) text << " " << s;
        text << "\n";
    }
    TransactionJournal journal(station_.installDir() + "/" + TransactionJournal::kFileName);
    journal.load();
    text << "journal (" << journal.damagedRecords() << " damaged):\n";
    for (const JournalEntry& e : journal.entries())
        text << "  " << journalKindName(e.request.kind).toStdString() << " nsu="
             << e.nsu.trimmed().toStdString() << " original=" << e.request.nsuOriginal.trimmed().toStdString()
             << " " << (e.open() ? journalStateName(e.state) : journalOutcomeName(e.outcome)).toStdString()
             << " status=" << e.status.trimmed().toStdString() << "\n";
    text << "journal file:\n" << contentOf(journal.path());
    return text.str();
}

}  // namespace vtx::client::test
