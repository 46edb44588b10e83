// The program's life: settings that stop it, one instance, the signals that
// close it, the LOGIN command line, a listening port already taken.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>

#include "AgentStation.h"
#include "vtx/linkagent/testing/RelayFakes.h"
#include "vtx/platform/IniFile.h"

namespace vtx::linkagent::test {
namespace {

using namespace std::chrono_literals;

class AgentLifecycle : public AgentStation {};

TEST_F(AgentLifecycle, EachMissingOrWrongListenerKeyEndsWithItsMessage) {
    struct Case {
        const char* key;
        const char* value;  // nullptr: removed
        const char* message;
    };
    const Case cases[] = {
        {"Port2Listen", nullptr,
         "Configuração do parametro Port2Listen no arquivo Core.Inio está errada"},
        {"Port2Listen", "porta",
         "Configuração do parametro Port2Listen no arquivo Core.Inio está errada"},
        {"Data Type", nullptr,
         "Configuração do parametro Data Type no arquivo Core.Inio está errada"},
        {"Data Type", "X", "Configuração do parametro Data Type no arquivo Core.Ini está errada"},
        {"Len Size", nullptr,
         "Configuração do parametro Len Size no arquivo Core.Inio está errada"},
        {"Len Size", "0", "Configuração do parametro Len Size no arquivo Core.Inio está errada"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + (c.value ? c.value : "(none)"));
        station.setCore("TCPIP PORTS", "Port2Listen", "7999");
        station.setCore("TCPIP PORTS", "Data Type", "N");
        station.setCore("TCPIP PORTS", "Len Size", "4");
        if (c.value) {
            station.setCore("TCPIP PORTS", c.key, c.value);
        } else {
            ASSERT_TRUE(vtx::platform::iniWrite("C:\\Vantrix\\CORE.INI",
                                                {{"TCPIP PORTS", c.key, std::nullopt}}));
        }
        AgentProcess program;
        ASSERT_TRUE(program.start());
        EXPECT_EQ(program.waitForExit(), 1);
        EXPECT_EQ(program.errors(), std::string(c.message) + "\n");
    }
}

TEST_F(AgentLifecycle, SecondInstanceEndsAtOnceAndTheFirstServesOn) {
    startAgent();
    AgentProcess second;
    ASSERT_TRUE(second.start());
    EXPECT_EQ(second.waitForExit(), 2);
    EXPECT_TRUE(second.output().empty());
    EXPECT_GT(vtx::cli::test::send(saleRequest(), "OPA", "CHK").result, 0);
}

TEST_F(AgentLifecycle, AnUnusableLockFolderIsSaidAndNotTakenForASecondInstance) {
    station.root().writeFile("run", "a file where the lock folder belongs");
    AgentProcess program({"LOGIN"});
    ASSERT_TRUE(program.start());
    EXPECT_EQ(program.waitForExit(), 5);
    EXPECT_EQ(program.errors(), "LinkAgent: cannot create the lock in " +
                                    station.root().native("run") + ": Not a directory\n");
    EXPECT_TRUE(fixture.host.records("host").empty());  // nothing was done without the lock
}

TEST_F(AgentLifecycle, SigtermAndSigintCloseLikeTheExitButton) {
    startAgent();
    RawTerminal waiting(agentPort());  // a relay thread waiting for its request
    ASSERT_TRUE(waiting.connected());
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(agent->stop(SIGTERM), 0);
    // Well before the waiting relay's 10 s request time-out.
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 5s);
    EXPECT_TRUE(waiting.closedWithin(5s));

    startAgent();
    EXPECT_EQ(agent->stop(SIGINT), 0);
    // The instance is free again.
    startAgent();
    EXPECT_EQ(agent->stop(SIGTERM), 0);
}

TEST_F(AgentLifecycle, LoginCommandLineLogsOnEveryListedOperatorAndEnds) {
    // No listener settings are needed for it.
    ASSERT_TRUE(vtx::platform::iniDeleteSection("C:\\Vantrix\\CORE.INI", "TCPIP PORTS"));
    station.root().writeFile("C/Vantrix/UP.S01", "older generation");
    AgentProcess program({"Login"});
    ASSERT_TRUE(program.start());
    EXPECT_EQ(program.waitForExit(), 0) << program.errors();

    // OPA's tables are installed; OPR's host refuses, which ends OPR only.
    EXPECT_EQ(station.root().readFile("C/Vantrix/UP.S07"), "SENHA1\r\n");
    EXPECT_EQ(station.root().readFile("C/Vantrix/LT0001.S3A"), "000,MNG1,SSSSSSSSS\r\n");
    EXPECT_FALSE(station.root().readFile("C/Vantrix/UP.S01"));
    EXPECT_EQ(vtx::platform::iniGetString("C:\\Vantrix\\CORE.INI", "LOGON", "NLote_OPA", ""),
              "0000000077");
    // The table download runs beside the logon: its lines interleave.
    std::vector<std::string> logonLines;
    for (const std::string& line : program.output())
        if (line.rfind("logon: ", 0) == 0) logonLines.push_back(line);
    ASSERT_FALSE(logonLines.empty());
    EXPECT_EQ(logonLines.front(), "logon: Iniciando Logon");
    EXPECT_EQ(logonLines.back(), "logon: ");
    EXPECT_EQ(program.count("ftp: Iniciando Transf. de Arquivos"), 1);
    const size_t exchanged = fixture.host.records("host").size();
    EXPECT_GT(exchanged, 0u);

    // A window asked for without a display: said once, and the command
    // runs without it.
    AgentProcess windowed({"--window", "LOGIN"}, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
    ASSERT_TRUE(windowed.start());
    EXPECT_EQ(windowed.waitForExit(), 0);
    const size_t again = fixture.host.records("host").size();
    EXPECT_GT(again, exchanged);
    EXPECT_NE(windowed.errors().find("no display"), std::string::npos) << windowed.errors();

    AgentProcess other({"whatever"});
    ASSERT_TRUE(other.start());
    EXPECT_EQ(other.waitForExit(), 0);
    EXPECT_TRUE(other.output().empty());
    EXPECT_EQ(fixture.host.records("host").size(), again);
}

TEST_F(AgentLifecycle, WindowRequestHandsTheProcessToTheStatusWindowProgram) {
    // The sanitizer builds leave the window program out: Qt's own threads
    // are not instrumented, so ThreadSanitizer would report their locking.
    if (!std::filesystem::exists(std::string(VTX_BIN_DIR) + "/LinkAgentWindow"))
        GTEST_SKIP() << "no LinkAgentWindow in this build";
    station.setCore("TCPIP PORTS", "Data Type", "N");
    station.setCore("TCPIP PORTS", "Len Size", "4");
    station.setCore("TCPIP PORTS", "ListenAddress", "127.0.0.1");
    const int port = freeLoopbackPort();
    station.setCore("TCPIP PORTS", "Port2Listen", std::to_string(port));
    station.setCore("LOCAL", "Port", std::to_string(port));
    AgentProcess windowed({"--window"}, {{"QT_QPA_PLATFORM", "offscreen"}});
    ASSERT_TRUE(windowed.start());
    ASSERT_TRUE(windowed.waitForLine("READY")) << windowed.errors();

    // The same process, now the window program, serving as the daemon does.
    std::error_code ec;
    const auto image = std::filesystem::read_symlink(
        "/proc/" + std::to_string(windowed.pid()) + "/exe", ec);
    EXPECT_EQ(image.filename(), "LinkAgentWindow");
    EXPECT_GT(vtx::cli::test::send(saleRequest(), "OPA", "CHK").result, 0);
    EXPECT_EQ(windowed.stop(SIGTERM), 0) << windowed.errors();
}

TEST_F(AgentLifecycle, PortAlreadyTakenEndsWithTheMainSocketError) {
    int taken = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    ASSERT_EQ(::bind(taken, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(taken, 1), 0);
    ::getsockname(taken, reinterpret_cast<sockaddr*>(&a), &length);
    station.setCore("TCPIP PORTS", "Port2Listen", std::to_string(ntohs(a.sin_port)));
    station.setCore("TCPIP PORTS", "Data Type", "N");
    station.setCore("TCPIP PORTS", "Len Size", "4");
    station.setCore("TCPIP PORTS", "ListenAddress", "127.0.0.1");
    AgentProcess program;
    ASSERT_TRUE(program.start());
    EXPECT_EQ(program.waitForExit(), 3);
    EXPECT_EQ(program.errors(), "LinkAgent - Erro: [10048] - Erro criando Socket Principal\n");
    ::close(taken);
}

}  // namespace
}  // namespace vtx::linkagent::test
