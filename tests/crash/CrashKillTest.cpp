// Every kind of file the station replaces, its writer (crash_writer, the
// production code path of that kind writing generation after generation)
// killed with SIGKILL at random moments: at least kKills kills per kind,
// each at a delay drawn from a range that covers a few writes, the whole
// bounded in time. After each kill the folder holds the generation before
// the cut write or the one it was writing (exactly the last written one
// when the kill fell between writes), whole, its checksum right where its
// name or list carries one, and no mark saying done for work not done;
// after the production code's own start-up step (or next write) nothing
// of the killed writer is left.
//
// The seed is printed; VTX_CRASH_KILL_SEED replays a run, VTX_CRASH_KILLS
// asks for more kills.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <thread>

#include "AgentProcess.h"
#include "FileKind.h"
#include "TestRoot.h"

namespace vtx::crash {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kKills = 200;
// A bound on one kind's loop, far above what a loaded machine needs; the
// loop ends earlier once its kills are done.
constexpr auto kBudget = 150s;
// Writes the range of kill delays covers, measured on an uncut run.
constexpr long kCalibrationCycles = 10;
constexpr double kCoveredWrites = 2.0;

int kills() {
    const char* text = std::getenv("VTX_CRASH_KILLS");
    return std::max(kKills, text ? std::atoi(text) : 0);
}

unsigned seed() {
    const char* text = std::getenv("VTX_CRASH_KILL_SEED");
    return text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : std::random_device{}();
}

const std::string kWriter = std::string(VTX_BIN_DIR) + "/crash_writer";

// The last marks of a killed writer's output.
struct Marks {
    long begun = 0;  // the last "begin n", 0 before the first
    long ended = 0;  // the last "end n"
};

Marks marksOf(const std::vector<std::string>& lines) {
    Marks m;
    for (const std::string& line : lines) {
        if (line.starts_with("begin ")) m.begun = std::atol(line.c_str() + 6);
        if (line.starts_with("end ")) m.ended = std::atol(line.c_str() + 4);
    }
    return m;
}

// How the kills fell, for the report.
struct Tally {
    int before = 0, during = 0, after = 0;  // by the writer's marks
    int sawOld = 0, sawNew = 0;             // by what the folder held
    int leftovers = 0;                      // a temporary or unfinished mark was there
};

class CrashKill : public ::testing::TestWithParam<std::string> {
protected:
    // What a process killed with SIGKILL wrote stays in the page cache, so
    // the writers' flushes to disk decide nothing here: the root is put in
    // memory when the machine has a memory file system, which keeps the
    // test's time in the kills.
    void SetUp() override {
        const char* tmpdir = std::getenv("TMPDIR");
        const std::optional<std::string> saved =
            tmpdir ? std::optional<std::string>(tmpdir) : std::nullopt;
        if (::access(kMemoryFolder, W_OK) == 0) ::setenv("TMPDIR", kMemoryFolder, 1);
        root_ = std::make_unique<test::TempRoot>();
        if (saved)
            ::setenv("TMPDIR", saved->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

    static constexpr const char* kMemoryFolder = "/dev/shm";
    std::unique_ptr<test::TempRoot> root_;
};

TEST_P(CrashKill, EachKillLeavesTheOldOrTheNewFileWholeAndNoFalseMark) {
    const std::string kindName = GetParam();
    const auto kind = makeKind(kindName, root_->path());
    ASSERT_TRUE(kind);
    const unsigned s = seed();
    std::printf("%s: seed %u (VTX_CRASH_KILL_SEED=%u replays it)\n", kindName.c_str(), s, s);
    SCOPED_TRACE("seed " + std::to_string(s));

    // An uncut run: how long one write takes, and that it ends whole.
    kind->reset();
    linkagent::test::AgentProcess uncut(
        {kindName, root_->path(), "--cycles", std::to_string(kCalibrationCycles)}, {}, kWriter);
    ASSERT_TRUE(uncut.start());
    ASSERT_EQ(uncut.waitForExit(120s), 0) << uncut.errors();
    const std::vector<std::string> told = uncut.output();
    ASSERT_TRUE(!told.empty() && told.back().starts_with("took ")) << uncut.errors();
    const auto write =
        std::chrono::microseconds(std::atoll(told.back().c_str() + 5)) / kCalibrationCycles;
    const Verdict whole = kind->judge(kCalibrationCycles, kCalibrationCycles, false);
    ASSERT_EQ(whole.problem, "");
    ASSERT_EQ(whole.generation, kCalibrationCycles);
    ASSERT_FALSE(whole.leftover);
    const auto covered =
        std::chrono::duration_cast<std::chrono::microseconds>(write * kCoveredWrites);
    std::uniform_int_distribution<long long> delay(0, std::max<long long>(covered.count(), 1));
    std::mt19937 random(s);

    Tally tally;
    int k = 0;
    const auto loopStarted = Clock::now();
    for (; k < kills() && Clock::now() - loopStarted < kBudget; ++k) {
        kind->reset();
        linkagent::test::AgentProcess writer({kindName, root_->path()}, {}, kWriter);
        ASSERT_TRUE(writer.start());
        ASSERT_TRUE(writer.waitForLine("ready")) << writer.errors();
        const long long waited = delay(random);
        std::this_thread::sleep_for(std::chrono::microseconds(waited));
        writer.stop(SIGKILL);

        const Marks m = marksOf(writer.output());
        const bool cut = m.begun > m.ended;
        const long older = cut ? m.begun - 1 : m.ended;
        const long newer = cut ? m.begun : m.ended;
        const std::string story = "kill " + std::to_string(k) + " after " + std::to_string(waited) +
                                  " us, " +
                                  (cut ? "writing generation " + std::to_string(m.begun)
                                       : "after generation " + std::to_string(m.ended)) +
                                  ": ";
        const Verdict left = kind->judge(older, newer, false);
        ASSERT_EQ(left.problem, "") << story << "as left";
        ASSERT_TRUE(left.generation >= older && left.generation <= newer)
            << story << "generation " << left.generation << " found";
        const std::optional<long> expected = kind->recover(left.generation);
        const long settleFrom = expected ? *expected : older;
        const long settleTo = expected ? *expected : newer;
        const Verdict settled = kind->judge(settleFrom, settleTo, true);
        ASSERT_EQ(settled.problem, "") << story << "after the start-up step";
        ASSERT_TRUE(settled.generation >= settleFrom && settled.generation <= settleTo)
            << story << "generation " << settled.generation << " after the start-up step";

        if (m.begun == 0)
            ++tally.before;
        else if (cut)
            ++tally.during;
        else
            ++tally.after;
        // What a reader takes after the start-up step: the generation the
        // cut write began from (or, between writes, the first), or the new one.
        const long found = expected ? left.generation : settled.generation;
        if (found == newer && newer > 0)
            ++tally.sawNew;
        else
            ++tally.sawOld;
        if (left.leftover) ++tally.leftovers;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - loopStarted).count();
    std::printf(
        "%s: %d kills in %.1f s (one write %.2f ms): %d before the first write, %d during one, %d "
        "between two; %d found the old generation, %d the new; %d left a temporary or mark\n",
        kindName.c_str(), k, seconds, std::chrono::duration<double, std::milli>(write).count(),
        tally.before, tally.during, tally.after, tally.sawOld, tally.sawNew, tally.leftovers);
    EXPECT_GE(k, kills()) << "the time bound ended the loop";
    EXPECT_GT(tally.during, 0) << "no kill fell inside a write";
}

INSTANTIATE_TEST_SUITE_P(EveryKind, CrashKill, ::testing::ValuesIn(kindNames()),
                         [](const auto& testInfo) { return testInfo.param; });

}  // namespace
}  // namespace vtx::crash
