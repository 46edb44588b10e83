// The trace file SOCKET.BIN on disk: private to the installation's user, and
// whole after a writer is killed at any moment, with the killed writer's
// temporary removed by the next one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "ScopedUmask.h"
#include "SocketTrace.h"
#include "TestRoot.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vx::cli {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kKeys = 40;
constexpr const char* kSection = "OPA-Client";

// One request's trace: every key names the same generation, so a file that
// mixes two requests or lost part of one shows it.
void writeGeneration(long generation) {
    SocketTrace trace(true);
    const std::string value =
        "gen " + std::to_string(generation) + " card 6362970000001234 " + std::string(200, 'x');
    for (int k = 0; k < kKeys; ++k) trace.step(kSection, "K" + std::to_string(k), value);
}

// The generation every key of the file shows; -1 when the file is not one
// request's whole trace.
long wholeGeneration(const std::string& text) {
    if (!text.ends_with("\r\n")) return -1;
    const vtx::platform::IniDocument doc = vtx::platform::IniDocument::parse(text);
    const std::string first = doc.getString(kSection, "K0", "");
    if (!first.starts_with("gen ") || first.find("6362970000001234") != std::string::npos)
        return -1;
    for (int k = 1; k < kKeys; ++k) {
        if (doc.getString(kSection, "K" + std::to_string(k), "") != first) return -1;
    }
    return std::stol(first.substr(4));
}

class TraceFileTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(windows()); }

    std::string windows() const { return root_.native("C/Windows"); }
    std::string socketBin() const { return root_.native("C/Windows/SOCKET.BIN"); }
    long generationOnDisk() const {
        return wholeGeneration(root_.readFile("C/Windows/SOCKET.BIN").value_or(""));
    }
    std::vector<std::string> temporaries() const {
        return vtx::platform::findFiles(windows(), ".SOCKET.BIN.*.tmp");
    }

    vtx::test::TempRoot root_;
};

TEST_F(TraceFileTest, SocketBinIsTheInstallationUsersOnlyWhateverTheUmask) {
    vtx::test::ScopedUmask wide(0);
    writeGeneration(1);
    EXPECT_EQ(vtx::test::permissionsOf(socketBin()), 0600);
    ::chmod(socketBin().c_str(), 0644);  // left by an older version
    writeGeneration(2);
    EXPECT_EQ(vtx::test::permissionsOf(socketBin()), 0600);
    EXPECT_EQ(generationOnDisk(), 2);
}

// Writers killed at random moments (seeded): the file is always the whole
// trace of one request, and what a killed writer left is gone once the next
// request has written its trace.
TEST_F(TraceFileTest, KilledWritersLeaveAWholeFileAndTheNextWriterClearsUp) {
    constexpr int kKills = 200;
    constexpr auto kBudget = std::chrono::seconds(40);
    constexpr auto kChildLimit = std::chrono::seconds(20);
    std::mt19937 random(20240917);
    std::uniform_int_distribution<int> delayMicros(0, 3000);
    writeGeneration(0);
    const Clock::time_point start = Clock::now();
    int kills = 0;
    int leftovers = 0;
    long newest = 0;
    for (; kills < kKills && Clock::now() - start < kBudget; ++kills) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            const Clock::time_point began = Clock::now();
            for (long g = newest + 1; Clock::now() - began < kChildLimit; ++g) {
                writeGeneration(g);
                if (g == newest + 1) (void)!::write(ready[1], "r", 1);
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        char byte = 0;
        const bool started = ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
        ::usleep(static_cast<useconds_t>(delayMicros(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(started) << "round " << kills;

        const long seen = generationOnDisk();
        ASSERT_GE(seen, newest) << "round " << kills << ": SOCKET.BIN is not a whole trace";
        if (!temporaries().empty()) ++leftovers;

        newest = seen + 1;
        writeGeneration(newest);  // the next request
        ASSERT_EQ(generationOnDisk(), newest);
        ASSERT_TRUE(temporaries().empty()) << "round " << kills;
    }
    EXPECT_GE(kills, 50) << "too few rounds in the time budget";
    // Kills land inside writes too, not only between them.
    EXPECT_GT(leftovers, 0);
    std::printf("%d kills, %d left a temporary, %.1f s\n", kills, leftovers,
                std::chrono::duration<double>(Clock::now() - start).count());
}

}  // namespace
}  // namespace vx::cli
