// A station installed by InstallVtx --unattended from the project's answers
// works: a till that is its own server on the local link (kind 2, access
// mode 1) authorises, confirms and exports a sale through `vtx` against
// vtx-hostsim, over the route the installer made from the medium's records.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "CommandRun.h"
#include "HostSimProcess.h"
#include "TestRoot.h"
#include "vtx/platform/IniFile.h"

namespace {

namespace fs = std::filesystem;

using vtx::tool::test::Outcome;
const auto run = vtx::tool::test::runCommand;

std::string fileContent(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

const std::string kBin = VTX_BIN_DIR;

TEST(InstalledStationTest, ATillInstalledUnattendedSellsThroughVtx) {
    vtx::test::TempRoot root;
    const int hostPort = vtx::hostsim::freeFourDigitPort();
    ASSERT_GT(hostPort, 0);

    // The medium: the built programs and data files; nothing started.
    const fs::path medium = root.native("medium");
    fs::create_directories(medium);
    for (const char* name : {"LinkAgent", "VtxClient", "libVX32_CLI.so", "libVX32_PIN.so", "libppsim.so",
                             "PinPad.ini", "VXIFCFG.BIN", "VXIFNAT.BIN", "VtxClient.ini"})
        fs::create_symlink(fs::path(kBin) / name, medium / name);
    root.writeFile("medium/INSTALL.INI", "[INSTALL]\r\nATIVA_LA=1\r\nATIVA_CLIENT=1\r\n");
    std::string answers = fileContent(VTX_SOURCE_DIR "/installer/answers/servidor-estacao.ini");
    answers = std::regex_replace(answers, std::regex("TIPO=1"), "TIPO=2");
    answers = std::regex_replace(answers, std::regex("PORTA=5002"), "PORTA=" + std::to_string(hostPort));
    root.writeFile("answers.ini", answers);

    Outcome installed = run(kBin + "/InstallVtx --unattended '" + root.native("answers.ini") +
                            "' --medium '" + medium.string() + "'");
    ASSERT_EQ(installed.status, 0) << installed.out;
    EXPECT_NE(installed.out.find("VXIFCLI.BIN (2 rotas de VXIFCFG.BIN)"), std::string::npos)
        << installed.out;
    EXPECT_EQ(vtx::platform::iniGetString("C:\\Vantrix\\CORE.INI", "CONFIG", "ACESS_TYPE", ""), "0");

    // The network's operator table, which the station receives from its host.
    char line[128];
    std::snprintf(line, sizeof line, "%-20s%-8s%s%-20s%-25s%-25s%-2s\r\n", "Rede Demo", "DEMO0001",
                  "N0110", "CPF", "", "", "00");
    root.writeFile("C/Vantrix/VXTb_Opr.txt", line);
    root.writeFile("C/Vantrix/products.csv", "7890000000017;2;12,50;10,00;11,25;1\n");

    vtx::hostsim::HostSimPort port;
    port.section = "host";
    port.port = hostPort;
    port.administrator = "DEMO0001";
    root.writeFile("hostsim/.keep", "");
    auto host = std::make_unique<vtx::hostsim::HostSimProcess>(root.native("hostsim"),
                                                                std::vector{port});
    host->setDataFolder(VTX_HOSTSIM_SAMPLE_DATA);
    ASSERT_TRUE(host->start()) << host->error();

    Outcome sale = run(kBin + "/vtx sale --card 6012000000000001 --document 123456 "
                              "--products 'C:\\Vantrix\\products.csv' --confirm");
    ASSERT_EQ(sale.status, 0) << sale.out;
    std::smatch nsu;
    ASSERT_TRUE(std::regex_search(sale.out, nsu, std::regex("NSU: (\\d+)"))) << sale.out;
    EXPECT_NE(host->transactionState(nsu[1].str()).find("state=confirmed"), std::string::npos)
        << host->transactionState(nsu[1].str());
    // The export folder the installer made holds the sale's file.
    const fs::path exported =
        fs::path(root.native("C/Vantrix/EXPORT")) / (std::to_string(std::stoi(nsu[1].str())) + ".TRC");
    EXPECT_TRUE(fs::exists(exported)) << sale.out;
}

}  // namespace
