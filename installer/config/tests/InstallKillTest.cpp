// InstallVtx --unattended killed (SIGKILL) at random moments of its
// configuration step: every file of the station is absent or whole as a
// finished installation leaves it, CORE.INI (the mark of a done
// installation) never stands before the files written ahead of it, and a
// second run finishes the job with no temporary left behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "TestRoot.h"
#include "vtx/installer/InstallMedium.h"

extern char** environ;

namespace vtx::install {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string fileContent(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Every file of the station below `dir`, by path relative to the root.
std::map<std::string, std::string> stationFiles(const fs::path& root) {
    std::map<std::string, std::string> files;
    if (!fs::exists(root / "C")) return files;
    for (const auto& entry : fs::recursive_directory_iterator(root / "C")) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = fileContent(entry.path());
    }
    return files;
}

bool isTemporary(const std::string& path) {
    const std::string name = fs::path(path).filename().string();
    return !name.empty() && name[0] == '.' && name.size() > 4 && name.ends_with(".tmp");
}

class InstallKillTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::mt19937 bytes(7);
        for (const std::string& program : requiredPrograms()) {
            // Programs large enough for the copy to take a moment.
            std::string content(2 << 20, '\0');
            for (char& c : content) c = static_cast<char>(bytes() & 0xFF);
            root_.writeFile("medium/" + program, content);
        }
        for (const char* name : {"PinPad.ini", "VXIFCFG.BIN", "VXIFNAT.BIN", "VtxClient.ini"})
            fs::copy_file(fs::path(VTX_BIN_DIR) / name, fs::path(root_.native("medium")) / name);
        root_.writeFile("medium/INSTALL.INI", "[INSTALL]\r\nATIVA_LA=1\r\nATIVA_CLIENT=1\r\n");
    }

    pid_t start() {
        const std::string program = std::string(VTX_BIN_DIR) + "/InstallVtx";
        const std::string answers = std::string(VTX_SOURCE_DIR) + "/installer/answers/servidor-estacao.ini";
        const std::string medium = root_.native("medium");
        const char* argv[] = {program.c_str(), "--unattended", answers.c_str(), "--medium",
                              medium.c_str(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = -1;
        const int error = ::posix_spawn(&pid, program.c_str(), &actions, nullptr,
                                        const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(error, 0);
        return error == 0 ? pid : -1;
    }

    int wait(pid_t pid) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        return status;
    }

    int runToEnd() {
        const int status = wait(start());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    vtx::test::TempRoot root_;
};

TEST_F(InstallKillTest, EachFileIsOldOrNewAndASecondRunFinishes) {
    const fs::path root = root_.path();
    const auto began = Clock::now();
    ASSERT_EQ(runToEnd(), 0);
    const auto runTime = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - began);
    const std::map<std::string, std::string> finished = stationFiles(root);
    ASSERT_TRUE(finished.count("C/Vantrix/CORE.INI"));
    ASSERT_TRUE(finished.count("C/Vantrix/VXIFCLI.BIN"));

    std::mt19937 random(20261208);
    std::uniform_int_distribution<long> moment(0, runTime.count());
    int killedMidway = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(120);
    for (int round = 0; round < 30 && Clock::now() < deadline; ++round) {
        fs::remove_all(root / "C");
        const pid_t pid = start();
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(pid, SIGKILL);
        const int status = wait(pid);
        if (WIFSIGNALED(status)) ++killedMidway;

        const auto left = stationFiles(root);
        for (const auto& [path, content] : left) {
            if (isTemporary(path)) continue;
            ASSERT_TRUE(finished.count(path)) << "round " << round << ": unexpected " << path;
            ASSERT_EQ(content.size(), finished.at(path).size()) << "round " << round << ": " << path;
            ASSERT_TRUE(content == finished.at(path)) << "round " << round << ": " << path;
        }
        if (left.count("C/Vantrix/CORE.INI")) {
            for (const auto& [path, content] : finished) {
                if (path.ends_with("INSTALL.TXT")) continue;  // written after CORE.INI
                EXPECT_TRUE(left.count(path)) << "round " << round << ": CORE.INI before " << path;
            }
        }

        ASSERT_EQ(runToEnd(), 0) << "round " << round;
        auto again = stationFiles(root);
        for (auto it = again.begin(); it != again.end();) {
            EXPECT_FALSE(isTemporary(it->first)) << "round " << round << ": left " << it->first;
            it = isTemporary(it->first) ? again.erase(it) : std::next(it);
        }
        ASSERT_EQ(again.size(), finished.size()) << "round " << round;
        for (const auto& [path, content] : finished)
            ASSERT_TRUE(again[path] == content) << "round " << round << ": " << path;
    }
    // Some kills must have landed inside the run for the test to say anything.
    std::printf("%d runs killed before their end\n", killedMidway);
    EXPECT_GT(killedMidway, 0);
}

}  // namespace
}  // namespace vtx::install
