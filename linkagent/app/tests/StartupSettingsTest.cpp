// The start-up settings: where CORE.INI is, the keys of TCPIP PORTS and the
// exact message for each missing or wrong one.
#include <gtest/gtest.h>

#include "StartupSettings.h"
#include "TestRoot.h"
#include "vtx/platform/IniFile.h"

namespace vtx::linkagent {
namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        vtx::platform::iniWriteString("WINVTXCORE.INI", "CORE", "Path Server", "C:\\Vantrix");
        set("Port2Listen", "5002");
        set("Data Type", "N");
        set("Len Size", "4");
    }
    void set(const char* key, const char* value) {
        ASSERT_TRUE(vtx::platform::iniWriteString(kCore, "TCPIP PORTS", key, value));
    }
    void remove(const char* key) {
        ASSERT_TRUE(vtx::platform::iniWrite(kCore, {{"TCPIP PORTS", key, std::nullopt}}));
    }
    std::string error() { return readListenSettings(kCore).error; }

    static constexpr const char* kCore = "C:\\Vantrix\\CORE.INI";
    vtx::test::TempRoot root;
};

TEST_F(Settings, ReadsTheListenerKeysWithTheirDefaults) {
    auto r = readListenSettings(kCore);
    ASSERT_TRUE(r.settings) << r.error;
    EXPECT_EQ(r.settings->port, 5002);
    EXPECT_EQ(r.settings->framing.dataType, DataType::Numeric);
    EXPECT_EQ(r.settings->framing.lenSize, 4);
    EXPECT_EQ(r.settings->address, "");
    EXPECT_EQ(r.settings->maxConnections, 256u);

    set("Data Type", "H");  // H is B
    set("ListenAddress", "127.0.0.1");
    set("MaxConnections", "100000");
    r = readListenSettings(kCore);
    ASSERT_TRUE(r.settings);
    EXPECT_EQ(r.settings->framing.dataType, DataType::Binary);
    EXPECT_EQ(r.settings->address, "127.0.0.1");
    EXPECT_EQ(r.settings->maxConnections, 4096u);
    set("Data Type", "b");
    set("Len Size", "0");  // not used by the binary length
    EXPECT_TRUE(readListenSettings(kCore).settings);
}

TEST_F(Settings, EachMissingOrWrongKeyHasItsMessage) {
    const std::string port =
        "Configura\xe7\xe3o do parametro Port2Listen no arquivo Core.Inio est\xe1 errada";
    const std::string typeMissing =
        "Configura\xe7\xe3o do parametro Data Type no arquivo Core.Inio est\xe1 errada";
    const std::string typeWrong =
        "Configura\xe7\xe3o do parametro Data Type no arquivo Core.Ini est\xe1 errada";
    const std::string lenSize =
        "Configura\xe7\xe3o do parametro Len Size no arquivo Core.Inio est\xe1 errada";

    for (const char* bad : {"", "0", "65536", "50x2", "-1"}) {
        set("Port2Listen", bad);
        EXPECT_EQ(error(), port) << "Port2Listen=" << bad;
    }
    remove("Port2Listen");
    EXPECT_EQ(error(), port);
    set("Port2Listen", "5002");

    remove("Data Type");
    EXPECT_EQ(error(), typeMissing);
    for (const char* bad : {"X", "NB", "Binary"}) {
        set("Data Type", bad);
        EXPECT_EQ(error(), typeWrong) << "Data Type=" << bad;
    }
    set("Data Type", "N");

    remove("Len Size");
    EXPECT_EQ(error(), lenSize);
    for (const char* bad : {"0", "10", "four"}) {
        set("Len Size", bad);
        EXPECT_EQ(error(), lenSize) << "Len Size=" << bad;
    }
    // The first wrong key in the order Port2Listen, Data Type, Len Size wins.
    remove("Port2Listen");
    remove("Data Type");
    EXPECT_EQ(error(), port);
}

TEST_F(Settings, StartupSettingsFollowPathCoreAndTheDialUpKeys) {
    auto s = loadStartupSettings();
    EXPECT_EQ(s.coreIni, "C:\\Vantrix\\CORE.INI");
    EXPECT_FALSE(s.dialUp);

    vtx::platform::iniWriteString("C:\\Vantrix\\CORE.INI", "DialUp", "ActiveDialUp", "Sim");
    vtx::platform::iniWriteString("C:\\Vantrix\\CORE.INI", "DialUp", "Time2HangUp", "120");
    vtx::platform::iniWriteString("C:\\Vantrix\\CORE.INI", "CONFIG", "ESTAB_CODE", "000123");
    vtx::platform::iniWriteString("C:\\Vantrix\\CORE.INI", "TCPIP PORTS", "Socket", "0");
    s = loadStartupSettings();
    EXPECT_TRUE(s.dialUp);
    EXPECT_EQ(s.time2HangUp, 120);
    EXPECT_EQ(s.estabCode, "000123");
    EXPECT_TRUE(s.folderInterface);

    vtx::platform::iniWriteString("WINVTXCORE.INI", "CORE", "Path Core", "D:\\Core");
    EXPECT_EQ(loadStartupSettings().coreIni, "D:\\Core\\CORE.INI");
}

}  // namespace
}  // namespace vtx::linkagent
