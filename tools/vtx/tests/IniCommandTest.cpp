// `vtx ini get|set`: support changes one key of a station's Windows-1252 INI
// file from a UTF-8 terminal, the way the programs write it.
#include <gtest/gtest.h>

#include <string>

#include "CommandRun.h"
#include "TestRoot.h"

namespace {

using vtx::tool::test::Outcome;
const auto run = vtx::tool::test::runCommand;

const std::string kVtx = std::string(VTX_BIN_DIR) + "/vtx";

TEST(IniCommandTest, SetKeepsEveryOtherLineAndGetShowsUtf8) {
    vtx::test::TempRoot root;
    root.writeFile("C/Vantrix/CORE.INI",
                   "; station\r\n[Config]\r\nESTAB_CODE=1\r\nNome=Farm\xE1" "cia\r\n[LOCAL]\r\nPort=5002\r\n");
    EXPECT_EQ(run(kVtx + " ini set 'C:\\Vantrix\\core.ini' local PORT 5123").status, 0);
    EXPECT_EQ(run(kVtx + " ini set 'C:\\Vantrix\\CORE.INI' Config Cidade 'São Paulo'").status, 0);
    EXPECT_EQ(root.readFile("C/Vantrix/CORE.INI"),
              "; station\r\n[Config]\r\nESTAB_CODE=1\r\nNome=Farm\xE1" "cia\r\nCidade=S\xE3o Paulo\r\n"
              "[LOCAL]\r\nPort=5123\r\n");
    Outcome name = run(kVtx + " ini get 'C:\\Vantrix\\CORE.INI' CONFIG nome");
    EXPECT_EQ(name.status, 0);
    EXPECT_EQ(name.out, "Farm\xC3\xA1" "cia\n");
    // A bare name is a file of the Windows directory; a missing key fails.
    EXPECT_EQ(run(kVtx + " ini set WINVTXCORE.INI CORE 'Path Server' 'C:\\Vantrix'").status, 0);
    EXPECT_EQ(root.readFile("C/Windows/WINVTXCORE.INI"), "[CORE]\r\nPath Server=C:\\Vantrix\r\n");
    EXPECT_EQ(run(kVtx + " ini get WINVTXCORE.INI CORE Missing").status, 1);
    EXPECT_EQ(run(kVtx + " ini get WINVTXCORE.INI CORE").status, 2);
}

}  // namespace
