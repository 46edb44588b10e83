#include "vtx/platform/ProcessStart.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include "Eventually.h"
#include "TestRoot.h"

namespace vtx::platform {
namespace {

class ProcessStartTest : public ::testing::Test {
protected:
    test::TempRoot root_;
};

TEST_F(ProcessStartTest, RunsTheBatchFileDetached) {
    std::string marker = root_.native("marker.txt");
    root_.writeFile("C/Vantrix/START.BAT", "echo started > '" + marker + "'\n");
    ASSERT_EQ(startHidden("c:\\vantrix\\start.bat"), kStartOk);

    // Nothing left to reap: the shell belongs to init, not to us.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

    EXPECT_TRUE(vtx::test::eventually([&] {
        return std::filesystem::exists(marker) && root_.readFile("marker.txt") == "started\n";
    }));
}

TEST_F(ProcessStartTest, ReportsMissingFileAndFolder) {
    root_.writeFile("C/Vantrix/other.txt", "");
    EXPECT_EQ(startHidden("C:\\Vantrix\\missing.bat"), kStartFileNotFound);
    EXPECT_EQ(startHidden("C:\\NoFolder\\start.bat"), kStartPathNotFound);
    EXPECT_EQ(startHidden("C:\\Vantrix"), kStartFileNotFound);
}

TEST_F(ProcessStartTest, RunsAProgramWithItsArgumentsDetached) {
    std::string marker = root_.native("args.txt");
    root_.writeFile("C/Vantrix/Prog", "#!/bin/sh\nprintf '%s|' \"$@\" > '" + marker + "'\n");
    std::filesystem::permissions(root_.native("C/Vantrix/Prog"), std::filesystem::perms::owner_all);
    ASSERT_EQ(startProgramHidden("C:\\Vantrix\\prog", {"LOGIN", "two words"}), kStartOk);
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    EXPECT_TRUE(vtx::test::eventually([&] {
        return std::filesystem::exists(marker) && root_.readFile("args.txt") == "LOGIN|two words|";
    }));

    // A file that may not be run is not started.
    root_.writeFile("C/Vantrix/NotRunnable", "#!/bin/sh\n");
    EXPECT_EQ(startProgramHidden("C:\\Vantrix\\NotRunnable"), kStartFileNotFound);
    EXPECT_EQ(startProgramHidden("C:\\Vantrix\\Missing"), kStartFileNotFound);
}

}  // namespace
}  // namespace vtx::platform
