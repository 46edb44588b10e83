#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <vector>

#include "TestRoot.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::platform {
namespace {

constexpr int kWritesPerWriter = 50;

bool writeKeys(const char* prefix) {
    bool ok = true;
    for (int i = 0; i < kWritesPerWriter; ++i) {
        std::string key = std::string(prefix) + "_" + std::to_string(i);
        ok = iniWriteString("C:\\shared\\conc.ini", "Keys", key, std::to_string(i)) && ok;
    }
    return ok;
}

int countKeys(const std::string& prefix) {
    auto doc = loadIni("C:\\shared\\conc.ini");
    int found = 0;
    for (int i = 0; i < kWritesPerWriter; ++i) {
        std::string key = prefix + "_" + std::to_string(i);
        if (doc->find("keys", key) == std::to_string(i)) ++found;
    }
    return found;
}

TEST(IniConcurrencyTest, ThreadsWritingDistinctKeysLoseNothing) {
    test::TempRoot root;
    constexpr int kThreads = 8;
    std::vector<std::thread> threads;
    bool ok[kThreads] = {};
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &ok] { ok[t] = writeKeys(("t" + std::to_string(t)).c_str()); });
    }
    for (std::thread& th : threads) th.join();
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_TRUE(ok[t]);
        EXPECT_EQ(countKeys("t" + std::to_string(t)), kWritesPerWriter) << "thread " << t;
    }
    EXPECT_TRUE(findFiles("C:\\shared", "*.tmp").empty());  // no temporary file left behind
}

TEST(IniConcurrencyTest, ProcessesWritingDistinctKeysLoseNothing) {
    test::TempRoot root;
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(writeKeys("child") ? 0 : 1);
    EXPECT_TRUE(writeKeys("parent"));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(countKeys("child"), kWritesPerWriter);
    EXPECT_EQ(countKeys("parent"), kWritesPerWriter);
}

}  // namespace
}  // namespace vtx::platform
