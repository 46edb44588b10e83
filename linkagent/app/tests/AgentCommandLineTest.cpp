// The command line a technician uses beside the service: the settings check
// (--check) on a good and on a broken station, and LOGIN while another
// instance runs, which hands the logon to that instance.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "AgentStation.h"
#include "LinkAgentProgram.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/NamedMutex.h"

namespace vtx::linkagent::test {
namespace {

using namespace std::chrono_literals;

class AgentCommandLine : public AgentStation {
protected:
    void writeListenSettings(int port) {
        station.setCore("TCPIP PORTS", "Port2Listen", std::to_string(port));
        station.setCore("TCPIP PORTS", "Data Type", "N");
        station.setCore("TCPIP PORTS", "Len Size", "4");
        station.setCore("TCPIP PORTS", "ListenAddress", "127.0.0.1");
    }
    // Runs `LinkAgent --check` to its end; its exit status.
    int check(AgentProcess& program) {
        EXPECT_TRUE(program.start());
        return program.waitForExit();
    }
    static bool has(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(AgentCommandLine, CheckOfAGoodStationSaysEachItemAndStartsNothing) {
    writeListenSettings(7999);
    station.setCore("TCPIP PORTS", "Data Type", "H");
    station.setCore("TCPIP PORTS", "Socket", "N");
    station.setCore("ShellFile", "Input_Folder", "Pedidos");
    AgentProcess program({"--check"});
    ASSERT_EQ(check(program), 0) << program.errors();
    EXPECT_EQ(program.errors(), "");
    const std::string dir = station.installDir();
    const std::vector<std::string> expected = {
        "installation directory: C:\\Vantrix (" + dir + ") found",
        "CORE.INI: C:\\Vantrix\\CORE.INI (" + dir + "/CORE.INI) found",
        "listen: 127.0.0.1, port 7999, at most 256 requests at once",
        "framing: Data Type B (two-byte length, low byte first)",
        "dial-up: not in use",
        "folder interface: on, requests " + dir + "/Pedidos, answers " + dir + "/RESP",
        "route file VXIFCLI.BIN: present, 2 records",
        "check: LinkAgent can start",
    };
    EXPECT_EQ(program.output(), expected);
    // Nothing was started: no logon, no folders, no log.
    EXPECT_TRUE(fixture.host.records("host").empty());
    EXPECT_FALSE(std::filesystem::exists(dir + "/Pedidos"));

    // Beside a running instance: no lock taken, no listener opened on the
    // port the running one holds.
    startAgent();
    AgentProcess beside({"--check"});
    ASSERT_EQ(check(beside), 0) << beside.errors();
    EXPECT_TRUE(has(beside.output(), "framing: Data Type N, Len Size 4"));
    EXPECT_TRUE(has(beside.output(), "listen: 127.0.0.1, port " + std::to_string(agentPort()) +
                                         ", at most 256 requests at once"));
    EXPECT_GT(vtx::cli::test::send(saleRequest(), "OPA", "CHK").result, 0);
    EXPECT_EQ(agent->stop(SIGTERM), 0) << agent->errors();
}

TEST_F(AgentCommandLine, CheckOfABrokenStationEndsWithTheStatusAStartWouldGive) {
    // A listener key missing and no route file: the start's message, status 1.
    station.setCore("TCPIP PORTS", "Data Type", "N");
    station.setCore("TCPIP PORTS", "Len Size", "4");
    std::filesystem::remove(station.installDir() + "/VXIFCLI.BIN");
    const std::string portMessage =
        "Configuração do parametro Port2Listen no arquivo Core.Inio está errada";
    AgentProcess program({"--check"});
    EXPECT_EQ(check(program), LinkAgentProgram::kExitSettings);
    EXPECT_EQ(program.errors(), portMessage + "\n");
    EXPECT_TRUE(has(program.output(), "listen: " + portMessage));
    EXPECT_TRUE(has(program.output(), "route file VXIFCLI.BIN: missing"));
    EXPECT_TRUE(has(program.output(), "folder interface: off"));
    EXPECT_TRUE(has(program.output(), "check: LinkAgent cannot start (exit status 1)"));

    // Dial-up in use without a saved entry: the dial-up check comes first,
    // as at a start, and nothing is dialled.
    writeListenSettings(7999);
    station.setCore("DialUp", "ActiveDialUp", "S");
    station.setCore("DialUp", "Backend", "simulated");
    station.root().writeFile("C/Vantrix/SimModem.ini", "[Modem]\nEntries=\n");
    const std::string noEntries =
        "Erro de DialUp: Não existem conexões DialUp configuradas no sistema.";
    AgentProcess dialUp({"--check"});
    EXPECT_EQ(check(dialUp), LinkAgentProgram::kExitDialUp);
    EXPECT_EQ(dialUp.errors(), noEntries + "\n");
    EXPECT_TRUE(has(dialUp.output(), "dial-up: in use, start-up check failed: " + noEntries));
    EXPECT_TRUE(has(dialUp.output(), "check: LinkAgent cannot start (exit status 4)"));
    EXPECT_EQ(vtx::platform::iniGetString("C:\\Vantrix\\SimModem.ini", "Calls", "Dial", "0"), "0");

    // The same station a start refuses with the same status and message.
    AgentProcess start;
    EXPECT_EQ(check(start), LinkAgentProgram::kExitDialUp);
    EXPECT_EQ(start.errors(), dialUp.errors());
}

TEST_F(AgentCommandLine, LoginBesideARunningInstanceStartsTheLogonInIt) {
    station.root().writeFile("C/Vantrix/LOG/.keep", "");
    station.setCore("ShellFile", "LOGENABLE", "true");
    startAgent();
    const size_t startUp = fixture.host.records("host").size();
    ASSERT_GT(startUp, 0u);
    // The station forgets its tables, so the handed-over logon installs them.
    std::filesystem::remove(station.installDir() + "/UP.S07");
    std::filesystem::remove(station.installDir() + "/LT0001.S3A");
    ASSERT_TRUE(vtx::platform::iniDeleteSection("C:\\Vantrix\\CORE.INI", "LOGON"));

    AgentProcess login({"login"});
    ASSERT_TRUE(login.start());
    EXPECT_EQ(login.waitForExit(), 0) << login.errors();
    EXPECT_EQ(login.output(),
              std::vector<std::string>{"LinkAgent: another instance runs; logon handed to it at "
                                       "127.0.0.1:" +
                                       std::to_string(agentPort()) + " (answer 0002OK)"});

    // The running instance logged on: its status, its log, the tables.
    EXPECT_EQ(agent->waitForCount("message: Iniciando Login.", 1), 1);
    EXPECT_EQ(agent->waitForCount("logon: ", 2, 60s), 2);
    EXPECT_GT(fixture.host.records("host").size(), startUp);
    EXPECT_EQ(station.root().readFile("C/Vantrix/UP.S07"), "SENHA1\r\n");
    EXPECT_EQ(station.root().readFile("C/Vantrix/LT0001.S3A"), "000,MNG1,SSSSSSSSS\r\n");
    EXPECT_EQ(vtx::platform::iniGetString("C:\\Vantrix\\CORE.INI", "LOGON", "NLote_OPA", ""),
              "0000000077");
    EXPECT_EQ(agent->stop(SIGTERM), 0) << agent->errors();
    EXPECT_NE(logText().find("|Finalizando Trata Login."), std::string::npos);
}

TEST_F(AgentCommandLine, LoginBesideAnInstanceThatDoesNotListenSaysSoAndFails) {
    // The lock held as a running instance holds it, no listener on the port.
    const int port = freeLoopbackPort();
    writeListenSettings(port);
    vtx::platform::NamedMutex held(LinkAgentProgram::kInstanceMutex);
    ASSERT_EQ(held.attempt(), vtx::platform::NamedMutex::Attempt::kLocked);

    AgentProcess login({"LOGIN"});
    ASSERT_TRUE(login.start());
    EXPECT_EQ(login.waitForExit(), LinkAgentProgram::kExitOtherInstance);
    EXPECT_EQ(login.errors(),
              "LinkAgent: another instance runs; the logon could not be handed "
              "to it at 127.0.0.1:" +
                  std::to_string(port) + ": connection refused (10061)\n");
    EXPECT_TRUE(login.output().empty());
    EXPECT_TRUE(fixture.host.records("host").empty());  // no logon of its own

    // Without listener settings the running instance cannot be found.
    ASSERT_TRUE(vtx::platform::iniDeleteSection("C:\\Vantrix\\CORE.INI", "TCPIP PORTS"));
    AgentProcess unknown({"LOGIN"});
    ASSERT_TRUE(unknown.start());
    EXPECT_EQ(unknown.waitForExit(), LinkAgentProgram::kExitOtherInstance);
    EXPECT_NE(unknown.errors().find("its listener is not known: Configuração do parametro "
                                    "Port2Listen"),
              std::string::npos)
        << unknown.errors();
}

// --help and --version whose text cannot be written (standard output on a
// full device) fail instead of reporting success.
TEST_F(AgentCommandLine, HelpAndVersionThatCannotBeWrittenFail) {
    for (const char* option : {"--help", "--version"}) {
        SCOPED_TRACE(option);
        AgentProcess program({"-c", std::string("exec \"$0\" ") + option + " >/dev/full",
                              std::string(VTX_BIN_DIR) + "/LinkAgent"},
                             {}, "/bin/sh");
        ASSERT_TRUE(program.start());
        EXPECT_EQ(program.waitForExit(), 1);
    }
    AgentProcess shown({"--version"});
    ASSERT_TRUE(shown.start());
    EXPECT_EQ(shown.waitForExit(), 0);
    EXPECT_EQ(shown.output().size(), 1U);
}

}  // namespace
}  // namespace vtx::linkagent::test
