// Where the adapter finds CORE.INI.
#include <gtest/gtest.h>

#include "PinPadStation.h"
#include "vtx/platform/IniFile.h"

namespace vtx::pinpad::test {
namespace {

class PinPadSettingsTest : public PinPadStation {};

TEST_F(PinPadSettingsTest, EmptyPathCoreBecomesTheDefaultFolder) {
    root.writeFile("C/Windows/WINVTXCORE.INI", "[CORE]\r\nPath Core=\r\n");
    configure("1");  // C:\Vantrix\CORE.INI, which the default names too
    script("");
    EXPECT_EQ(getTrack().result, 0);
    EXPECT_EQ(platform::iniGetString("WINVTXCORE.INI", "CORE", "Path Core", "?"), "C:\\VANTRIX");
}

}  // namespace
}  // namespace vtx::pinpad::test
