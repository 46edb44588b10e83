// `LinkAgent LOGIN` killed (SIGKILL) at random moments of an operator's
// logon against vtx-hostsim, in a bounded, seeded loop: after each kill, and
// the next start of the program, the station holds either its old tables
// with their old batch number and table version or the new tables with the
// new ones, never a mark over tables it does not have; a last logon left
// alone brings every table.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <thread>

#include "AgentProcess.h"
#include "HostSimProcess.h"
#include "vtx/commlib/testing/Station.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr unsigned kSeed = 20240917;
constexpr int kKills = 50;
// The loop stops early, after at least kFewestKills, once this is spent.
constexpr auto kBudget = 40s;
constexpr int kFewestKills = 10;

// A table as the station holds it before and after the host's new batch.
struct Table {
    const char* oldName;  // nullptr: the new name, with other content
    const char* oldContent;
    const char* newName;
    const char* hostContent;  // the host's file: one record a line
    const char* newContent;   // as installed
};

const Table kTables[] = {
    {"LT0001.S39", "000,OLD\r\n", "LT0001.S3A", "000,MNG1,SSSSSSSSS\n001,MNG2,SNSNSNSNS\n",
     "000,MNG1,SSSSSSSSS\r\n001,MNG2,SNSNSNSNS\r\n"},
    {nullptr, "OLD PRODUCTS\r\n", "PRODUTO.TXT", "P1\nP2\nP3\n", "P1\r\nP2\r\nP3\r\n"},
    {nullptr, "OLD TABLE\r\n", "TABELA.TXT", "T1\nT2\nT3\n", "T1\r\nT2\r\nT3\r\n"},
    {"UP.S05", "OLDPASSWORD\r\n", "UP.S07", "SENHA1\nSENHA2\nSENHA3\n",
     "SENHA1\r\nSENHA2\r\nSENHA3\r\n"},
};

class AgentLogonKill : public ::testing::Test {
protected:
    void SetUp() override {
        station_.setCore("CONFIG", "ESTAB_CODE", "000000000012345");
        station_.setCore("Config", "SOCKETBIN", "0");
        // A pause between exchanges: most of a run is then its logon.
        station_.setCore("CONFIG", "DELAY_INICIALIZACAO", "5");
        const auto& root = station_.root();
        root.writeFile("hostsim/data/cards.ini", "");
        root.writeFile("hostsim/data/products.csv", "");
        for (const Table& t : kTables)
            root.writeFile(std::string("hostsim/data/tables/OPA/") + t.newName, t.hostContent);
        // One record an answer: twelve exchanges to kill in.
        root.writeFile("hostsim/data/logon.ini", "[OPA]\nBatch=77\nVersion=5\nRecords=1\n");
        for (int attempt = 0; attempt < 3 && !host_; ++attempt) {
            hostsim::HostSimPort port;
            port.section = "host";
            port.port = hostsim::freeFourDigitPort();
            port.logonOperator = "OPA";
            auto host = std::make_unique<hostsim::HostSimProcess>(root.native("hostsim"),
                                                                  std::vector{port});
            host->setDataFolder(root.native("hostsim/data"));
            if (host->start()) host_ = std::move(host);
        }
        ASSERT_TRUE(host_) << "vtx-hostsim did not start";
        station_.writeRoutes({vtx::cli::test::Station::route("OPA", host_->port("host"))});
    }

    std::string dir() const { return station_.installDir(); }
    std::optional<std::string> file(const std::string& name) const {
        return station_.root().readFile("C/Vantrix/" + name);
    }
    std::string mark() const {
        return platform::iniGetString("C:\\Vantrix\\CORE.INI", "LOGON", "NLote_OPA", "") + "/" +
               platform::iniGetString("C:\\Vantrix\\CORE.INI", "LOGON", "VTabela_OPA", "");
    }

    // The station before the host's new batch: old tables, batch 70, version 4.
    void holdOldTables() const {
        for (const std::string& name : platform::findFiles(dir(), "*")) {
            if (name != "CORE.INI" && name != "VXIFCLI.BIN")
                std::remove(platform::joinPath(dir(), name).c_str());
        }
        for (const Table& t : kTables)
            station_.root().writeFile("C/Vantrix/" + std::string(t.oldName ? t.oldName : t.newName),
                                      t.oldContent);
        station_.setCore("LOGON", "NLote_OPA", "0000000070");
        station_.setCore("LOGON", "VTabela_OPA", "000004");
    }

    bool holdsOld() const {
        for (const Table& t : kTables) {
            if (file(t.oldName ? t.oldName : t.newName) != t.oldContent) return false;
            if (t.oldName && file(t.newName)) return false;
        }
        return mark() == "0000000070/000004";
    }
    bool holdsNew() const {
        for (const Table& t : kTables) {
            if (file(t.newName) != t.newContent) return false;
            if (t.oldName && file(t.oldName)) return false;
        }
        return mark() == "0000000077/000005";
    }
    // What the station holds, for a failure message.
    std::string held() const {
        std::string text = "marks " + mark() + "; files:";
        for (const std::string& name : platform::findFiles(dir(), "*")) text += " " + name;
        return text;
    }

    // Runs the program with `arguments` to its end; its exit status.
    static int runToEnd(std::vector<std::string> arguments) {
        AgentProcess program(std::move(arguments));
        if (!program.start()) return -1;
        return program.waitForExit(30s);
    }

    vtx::cli::test::Station station_;
    std::unique_ptr<hostsim::HostSimProcess> host_;
};

TEST_F(AgentLogonKill, AKillAtAnyMomentLeavesOldTablesWithOldMarksOrNewWithNew) {
    // A whole run first, timed from the program's start to its end.
    holdOldTables();
    const auto wholeStarted = Clock::now();
    ASSERT_EQ(runToEnd({"LOGIN"}), 0);
    const auto runLength = std::chrono::duration_cast<std::chrono::microseconds>(
        (Clock::now() - wholeStarted) * 11 / 10);
    ASSERT_TRUE(holdsNew()) << held();

    std::mt19937 random(kSeed);
    std::uniform_int_distribution<long long> moment(0, runLength.count());
    int kills = 0, cutShort = 0, inCommit = 0, sawOld = 0, sawNew = 0;
    const auto loopStarted = Clock::now();
    for (; kills < kKills && (kills < kFewestKills || Clock::now() - loopStarted < kBudget);
         ++kills) {
        SCOPED_TRACE("kill " + std::to_string(kills) + " (seed " + std::to_string(kSeed) + ")");
        holdOldTables();
        AgentProcess program({"LOGIN"});
        ASSERT_TRUE(program.start());
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        if (program.stop(SIGKILL) == 128 + SIGKILL) ++cutShort;
        if (file("_FILE$$$$$.OK.OPA")) ++inCommit;

        // The next start settles what the killed one left (any command does;
        // this one hangs up a dial-up link and ends).
        ASSERT_EQ(runToEnd({"HANGUP"}), 0);
        const bool old = holdsOld(), renewed = holdsNew();
        ASSERT_TRUE(old || renewed) << held();
        old ? ++sawOld : ++sawNew;
    }
    // How the kills fell depends on the machine's pace; some fell inside.
    std::printf(
        "%d kills, %d inside the run, %d inside a commit: %d left the old tables, %d the "
        "new\n",
        kills, cutShort, inCommit, sawOld, sawNew);
    EXPECT_GT(cutShort, 0);

    // Left alone, a logon from whatever the last kill left brings every table.
    ASSERT_EQ(runToEnd({"LOGIN"}), 0);
    EXPECT_TRUE(holdsNew()) << held();
    EXPECT_EQ(platform::findFiles(dir(), "_FILE$$$$$.*"), std::vector<std::string>{});
}

}  // namespace
}  // namespace vtx::linkagent::test
