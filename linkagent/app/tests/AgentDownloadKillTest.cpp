// `LinkAgent LOGIN` downloading a large listed table from a loopback FTP
// server, killed (SIGKILL) at random moments in a bounded, seeded loop:
// after every kill the table holds the whole old file or the whole new one;
// a run left alone stores the new one and archives it on the server.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <random>
#include <thread>

#include "AgentProcess.h"
#include "FtpServerProcess.h"
#include "TestRoot.h"
#include "vtx/platform/IniFile.h"

namespace vtx::linkagent::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr unsigned kSeed = 20261208;
constexpr int kKills = 20;
constexpr auto kBudget = 30s;

std::string content(char seed, size_t size) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>(seed + static_cast<char>(i % 251));
    return s;
}

TEST(AgentDownloadKill, AKillAtAnyMomentLeavesTheWholeOldOrTheWholeNewTable) {
    vtx::test::TempRoot root;
    const std::string oldTable = content('a', 3 << 20), newTable = content('n', 8 << 20);
    root.writeFile("ftp/.keep", "");
    FtpServerProcess server(root.native("ftp"));
    ASSERT_TRUE(server.start());
    root.writeFile("C/Vantrix/CORE.INI", "[CONFIG]\r\n");
    platform::iniWrite(root.native("C/Vantrix/CORE.INI"),
                       {{"CONFIG", "_TSTPRM_FTPSERVER", "127.0.0.1"},
                        {"CONFIG", "PORT", std::to_string(server.port())},
                        {"CONFIG", "PASSIVE MODE", "S"},
                        {"CONFIG", "ESTAB_CODE", FtpServerProcess::kUser},
                        {"CONFIG", "PWD", FtpServerProcess::kPassword}});
    auto prepare = [&] {
        root.writeFile("ftp/BIG.BIN", newTable);
        root.writeFile("ftp/ATCARQ.BIN", "[LIST]\r\nCount=1\r\n0001=BIG.BIN;" +
                                             std::to_string(newTable.size()) + ";;TAB\r\n");
        root.writeFile("C/Vantrix/TAB/BIG.BIN", oldTable);
    };
    auto runToEnd = [] {
        AgentProcess program({"LOGIN"});
        if (!program.start()) return -1;
        return program.waitForExit(60s);
    };

    prepare();
    const auto started = Clock::now();
    ASSERT_EQ(runToEnd(), 0);
    const auto runLength =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);
    ASSERT_EQ(root.readFile("C/Vantrix/TAB/BIG.BIN"), newTable);
    EXPECT_EQ(root.readFile("C/Vantrix/TAB/BIG.BIN.OLD"), oldTable);
    EXPECT_EQ(root.readFile("ftp/BIG.BIN.OLD"), newTable);
    EXPECT_FALSE(root.readFile("ftp/BIG.BIN"));

    std::mt19937 random(kSeed);
    std::uniform_int_distribution<long long> moment(0, runLength.count());
    int kills = 0, sawOld = 0, sawNew = 0;
    const auto loopStarted = Clock::now();
    for (; kills < kKills && Clock::now() - loopStarted < kBudget; ++kills) {
        SCOPED_TRACE("kill " + std::to_string(kills) + " (seed " + std::to_string(kSeed) + ")");
        prepare();
        AgentProcess program({"LOGIN"});
        ASSERT_TRUE(program.start());
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        program.stop(SIGKILL);
        const auto held = root.readFile("C/Vantrix/TAB/BIG.BIN");
        ASSERT_TRUE(held == oldTable || held == newTable)
            << "size " << (held ? held->size() : 0);
        held == oldTable ? ++sawOld : ++sawNew;
    }
    std::printf("%d kills: %d left the old table, %d the new\n", kills, sawOld, sawNew);
    EXPECT_GT(kills, 0);
}

}  // namespace
}  // namespace vtx::linkagent::test
