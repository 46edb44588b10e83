// Configuration checks: what a bad file does to the program, and how the
// keys are read.
#include <gtest/gtest.h>

#include <string>

#include "HostConfig.h"
#include "HostSimProcess.h"
#include "TempFolder.h"

namespace vtx::hostsim::test {
namespace {

TEST(ConfigTest, BadFileExitsWithCode2AndNamesSectionAndKey) {
    struct Case {
        std::string config;
        std::string mentions;  // expected in the error message
    };
    const Case cases[] = {
        {"[till]\nPort=0\nFraming=morse\n", "[till], key Framing"},
        {"[till]\nPort=50a2\n", "[till], key Port"},
        {"; only a comment\n", "no port sections"},
        {"[till]\nBind=0.0.0.0\n", "[till], key Bind"},
        {"[till]\nPort=0\n[gw]\nFraming=gwtpdu\n", "[gw], key GatewayTpdu"},
        {"[till]\nPrt=5002\n", "[till], key Prt: unknown key"},
        {"[till]\nAdministrator=../ADM\n", "[till], key Administrator"},
        {"[till]\nAdministrator=ADMINISTRA\n", "[till], key Administrator"},
        {"[till]\nFault=close-before\nFaultOn=0202,0420/8004\n", "[till], key FaultOn"},
        {"[till]\nFaultOn=0202,\n", "[till], key FaultOn"},
        {"[till]\nFaultOn=LOGIN|\n", "[till], key FaultOn"},
        {"[till]\nFaultOn=0200/800300/1\n", "[till], key FaultOn"},
        {"[till]\nFaultCount=-1\n", "[till], key FaultCount"},
        {"[till]\nFault=refuse\nFaultOn=0202\n", "[till], key FaultOn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.config);
        TempFolder folder;
        HostSimProcess host(folder.path(), c.config);
        EXPECT_FALSE(host.start());
        EXPECT_EQ(host.exitCode(), 2);
        EXPECT_NE(host.error().find(c.mentions), std::string::npos) << host.error();
    }
}

TEST(ConfigTest, AdministratorCodeIsTheKeyElseTheOperatorElseTheSection) {
    std::string error;
    auto config = parseHostConfig(
        "[one]\nAdministrator=ADM_01\nOperator=OPA\n[two]\nOperator=OPB\n[three]\n", error);
    ASSERT_TRUE(config) << error;
    EXPECT_EQ(config->ports[0].administratorCode(), "ADM_01");
    EXPECT_EQ(config->ports[1].administratorCode(), "OPB");
    EXPECT_EQ(config->ports[2].administratorCode(), "three");
}

TEST(ConfigTest, KeysAreReadWithoutRegardToCaseWithDefaultsForTheRest) {
    std::string error;
    auto config = parseHostConfig(
        "[One]\nport=5002\nFRAMING=Binary\nfault=Close-Middle\ncript=1\n"
        "[Two]\nBind=::1\nMasterKey=AB\n",
        error);
    ASSERT_TRUE(config) << error;
    ASSERT_EQ(config->ports.size(), 2u);
    const PortConfig& one = config->ports[0];
    EXPECT_EQ(one.section, "One");
    EXPECT_EQ(one.port, 5002);
    EXPECT_EQ(one.framing, Framing::kBinary);
    EXPECT_EQ(one.fault, Fault::kCloseMiddle);
    EXPECT_EQ(one.cipher, Cipher::kShift);
    EXPECT_EQ(one.bind, "127.0.0.1");
    EXPECT_EQ(one.workers, 32);
    EXPECT_EQ(one.status, "00");
    EXPECT_FALSE(one.reply);
    const PortConfig& two = config->ports[1];
    EXPECT_EQ(two.bind, "::1");
    EXPECT_EQ(two.port, 0);
    // The key text is decoded over a zero key, as the stations decode it.
    vtx::wire::DesKey expected{};
    expected[0] = 'A';
    expected[1] = 'B';
    EXPECT_EQ(two.masterKey, expected);
}

TEST(ConfigTest, FaultOnListsMessageCodesWithOrWithoutTheirProcessingCode) {
    std::string error;
    auto config = parseHostConfig(
        "[one]\nFault=Close-After\nFaultOn= 0202 ,0200/800300\nFaultCount=1\n[two]\nFaultOn=\n",
        error);
    ASSERT_TRUE(config) << error;
    const PortConfig& one = config->ports[0];
    EXPECT_EQ(one.fault, Fault::kCloseAfter);
    EXPECT_EQ(one.faultOn, (std::vector<RequestKind>{{"0202", ""}, {"0200", "800300"}}));
    EXPECT_EQ(one.faultCount, 1);
    EXPECT_TRUE(config->ports[1].faultOn.empty());  // every request, as without the key
    EXPECT_EQ(config->ports[1].faultCount, 0);
}

TEST(ConfigTest, RejectsAmbiguousFiles) {
    std::string error;
    EXPECT_FALSE(parseHostConfig("[a]\nPort=5002\n[A]\nPort=5003\n", error));
    EXPECT_NE(error.find("more than once"), std::string::npos) << error;
    EXPECT_FALSE(parseHostConfig("[a]\nPort=5002\nPort=5003\n", error));
    EXPECT_FALSE(parseHostConfig("[a]\nPort=5002\n[b]\nPort=5002\n", error));
    EXPECT_NE(error.find("already used by section [a]"), std::string::npos) << error;
    EXPECT_FALSE(parseHostConfig("[a]\nCript=2\nFraming=tpdu\n", error));
    EXPECT_FALSE(parseHostConfig("[a]\nPort=65536\n", error));
}

TEST(ConfigTest, OnlyLoopbackAddressesAreAccepted) {
    EXPECT_TRUE(isLoopbackAddress("127.0.0.1"));
    EXPECT_TRUE(isLoopbackAddress("127.8.9.10"));
    EXPECT_TRUE(isLoopbackAddress("::1"));
    EXPECT_FALSE(isLoopbackAddress("128.0.0.1"));
    EXPECT_FALSE(isLoopbackAddress("0.0.0.0"));
    EXPECT_FALSE(isLoopbackAddress("::"));
    EXPECT_FALSE(isLoopbackAddress("localhost"));  // names are resolved by the config reader
    EXPECT_FALSE(isLoopbackAddress(""));
}

TEST(ConfigTest, AStationFolderThatIsNoFolderStopsTheProgram) {
    TempFolder folder;
    HostSimPort till;
    till.section = "till";
    HostSimProcess host(folder.path(), {till});
    host.setDataFolder(VTX_HOSTSIM_SAMPLE_DATA);
    host.setStationFolder(folder.path() + "/missing");
    EXPECT_FALSE(host.start());
    EXPECT_EQ(host.exitCode(), 2);
    EXPECT_NE(host.error().find("--station-dir"), std::string::npos) << host.error();
}

}  // namespace
}  // namespace vtx::hostsim::test
