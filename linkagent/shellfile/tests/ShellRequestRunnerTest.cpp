// One request of the folder interface worked on disk, without a host: the
// marks it leaves when the library cannot be had.
#include "ShellRequestRunner.h"

#include <gtest/gtest.h>

#include "TestRoot.h"
#include "vtx/linkagent/testing/ServiceFakes.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent {
namespace {

// A new request under the name of one already answered: the old answer
// must not stand beside the new request in work, where the next start
// would take it for the new request's answer and drop the request.
TEST(ShellRequestRunner, ARequestInWorkNeverStandsBesideAnEarlierAnswer) {
    vtx::test::TempRoot root;
    root.writeFile("C/Vantrix/CORE.INI", "[ShellFile]\r\nDll Exec=NO_SUCH_LIBRARY\r\n");
    root.writeFile("C/Vantrix/RESP/B.001", "000-000 = 0210\r\n011-000 = 000001\r\n");
    root.writeFile("C/Vantrix/REQ/B.thr", "040-000=OPA\r\n000-000=0200\r\n011-000=000002\r\n");
    test::RecordingLogger logger;
    test::RecordingStatus status;
    test::FakeGuard guard;
    ShellRequestRunner runner(logger, guard, status, {}, root.native("C/Vantrix"),
                              root.native("C/Vantrix/CORE.INI"));
    runner.run("B");
    EXPECT_TRUE(logger.has("Erro na carga da DLL"));
    // The request stays in work, unanswered.
    EXPECT_TRUE(root.readFile("C/Vantrix/RESP/B.sts"));
    EXPECT_FALSE(root.readFile("C/Vantrix/RESP/B.001"));
    EXPECT_FALSE(root.readFile("C/Vantrix/REQ/B.thr"));
}

}  // namespace
}  // namespace vtx::linkagent
