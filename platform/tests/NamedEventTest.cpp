#include "vtx/platform/NamedEvent.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "TestRoot.h"

namespace vtx::platform {
namespace {

TEST(NamedEvent, ManualResetSharedByNameAcrossProcessesOfOneRoot) {
    test::TempRoot root;
    NamedEvent waiting("VX32_PIN");
    ASSERT_TRUE(waiting.valid());
    EXPECT_FALSE(waiting.isSet());  // a new event is not set

    // Another process sets it by name; it stays set until reset.
    pid_t pid = ::fork();
    if (pid == 0) {
        NamedEvent other("VX32_PIN");
        ::_exit(other.set() ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(waiting.isSet());
    EXPECT_TRUE(waiting.isSet());
    EXPECT_TRUE(NamedEvent("VX32_PIN").isSet());
    EXPECT_FALSE(NamedEvent("OTHER").isSet());

    EXPECT_TRUE(waiting.reset());
    EXPECT_FALSE(NamedEvent("VX32_PIN").isSet());

    // Another root is another machine.
    test::TempRoot elsewhere;
    EXPECT_FALSE(NamedEvent("VX32_PIN").isSet());
}

}  // namespace
}  // namespace vtx::platform
