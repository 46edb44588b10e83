#include "vtx/platform/NamedMutex.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sys/stat.h>

#include <filesystem>

#include "TestRoot.h"

namespace vtx::platform {
namespace {

class NamedMutexTest : public ::testing::Test {
protected:
    // Exit status of a forked child that tries the mutex: 0 got it, 1 not.
    int tryInChild(const char* name) {
        pid_t pid = ::fork();
        if (pid == 0) {
            NamedMutex m(name);
            ::_exit(m.tryLock() ? 0 : 1);
        }
        int status = -1;
        if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
        return WEXITSTATUS(status);
    }

    test::TempRoot root_;
};

TEST_F(NamedMutexTest, ObjectsOfOneNameExcludeEachOtherInProcess) {
    NamedMutex a("VtxCmgr");
    NamedMutex b("VtxCmgr");
    NamedMutex other("Other");
    ASSERT_TRUE(a.tryLock());
    EXPECT_TRUE(a.held());
    EXPECT_TRUE(a.tryLock());  // already held
    EXPECT_FALSE(b.tryLock());
    EXPECT_FALSE(b.held());
    EXPECT_TRUE(other.tryLock());
    a.unlock();
    EXPECT_FALSE(a.held());
    EXPECT_TRUE(b.tryLock());
    EXPECT_TRUE(std::filesystem::exists(root_.native("run/VtxCmgr.lock")));
}

TEST_F(NamedMutexTest, ExcludesOtherProcessesUntilReleased) {
    {
        NamedMutex m("Single");
        ASSERT_TRUE(m.tryLock());
        EXPECT_EQ(tryInChild("Single"), 1);
    }
    EXPECT_EQ(tryInChild("Single"), 0);
}

TEST_F(NamedMutexTest, NameStaysOneFileInTheRunFolder) {
    NamedMutex m("Global\\a/b");
    ASSERT_TRUE(m.tryLock());
    EXPECT_TRUE(std::filesystem::exists(root_.native("run/Global_a_b.lock")));
}

TEST_F(NamedMutexTest, AnUnusableRunFolderIsNotMistakenForAnotherHolder) {
    root_.writeFile("run", "a file where the folder belongs");
    NamedMutex m("Single");
    EXPECT_EQ(m.attempt(), NamedMutex::Attempt::kUnusable);
    EXPECT_FALSE(m.held());
    EXPECT_EQ(m.problem(),
              "cannot create the lock in " + root_.native("run") + ": Not a directory");

    // Once the folder can be made, the same object takes the mutex.
    std::filesystem::remove(root_.native("run"));
    EXPECT_EQ(m.attempt(), NamedMutex::Attempt::kLocked);
    EXPECT_EQ(m.problem(), "");
    NamedMutex other("Single");
    EXPECT_EQ(other.attempt(), NamedMutex::Attempt::kHeldElsewhere);
    EXPECT_EQ(other.problem(), "");
}

TEST_F(NamedMutexTest, ALockFileThatMayOnlyBeReadStillExcludes) {
    root_.writeFile("run/Single.lock", "");
    ASSERT_EQ(::chmod(root_.native("run/Single.lock").c_str(), 0444), 0);
    NamedMutex m("Single");
    ASSERT_EQ(m.attempt(), NamedMutex::Attempt::kLocked) << m.problem();
    EXPECT_EQ(tryInChild("Single"), 1);
}

}  // namespace
}  // namespace vtx::platform
