// The folder interface end to end: request files dropped into the input
// folder -> LinkAgent -> Process_Server (loaded by name) -> vtx-hostsim, and
// the answer files back in the output folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <iterator>

#include "AgentStation.h"
#include "Eventually.h"
#include "vtx/platform/Reachability.h"

namespace vtx::linkagent::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using vtx::test::eventually;

class AgentFolder : public AgentStation {
protected:
    AgentFolder() {
        station.setCore("TCPIP PORTS", "Socket", "N");
        station.setCore("ShellFile", "LOGENABLE", "Y");
        station.setCore("ShellFile", "Pause_Next_File", "0");
        fs::create_directories(station.installDir() + "/LOG");
    }

    std::string in(const std::string& name) const { return station.installDir() + "/REQ/" + name; }
    std::string out(const std::string& name) const { return station.installDir() + "/RESP/" + name; }

    // Puts a request whole into the input folder, as a shop's program that
    // writes it elsewhere and moves it in.
    void drop(const std::string& name, const std::string& text) const {
        const std::string part = station.installDir() + "/.part";
        std::ofstream(part, std::ios::binary) << text;
        fs::rename(part, in(name));
    }

    static std::string read(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    // The answer file's text once it is there, or "" after the bound.
    std::string answer(const std::string& base, std::chrono::milliseconds bound = 30s) const {
        const std::string path = out(base + ".001");
        if (!eventually([&] { return fs::exists(path); }, bound)) return {};
        return read(path);
    }

    size_t hostMessages() const { return fixture.host.records("host").size(); }
};

TEST_F(AgentFolder, RequestFilesAreAnsweredWithTheHostsFieldsLineByLine) {
    startAgent();
    ASSERT_TRUE(fs::is_directory(station.installDir() + "/REQ"));
    ASSERT_TRUE(fs::is_directory(station.installDir() + "/RESP"));

    drop("PDV1.001",
         "040-000=OPA\r\n000-000=0200\r\n011-000=003000\r\n005-000=6274311234567890\r\n999-999\r\n");
    const std::string text = answer("PDV1");
    ASSERT_FALSE(text.empty()) << logText();
    EXPECT_EQ(text.find("000-000 = 0200\r\n011-000 = 003000\r\n"), 0u) << text;
    EXPECT_NE(text.find("\r\n009-000 = 00\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 9), "999-999\r\n");
    // Every line ends in CR LF: no bare LF.
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        EXPECT_EQ(text[at - 1], '\r');
    // Sent without the operator line and the end marker.
    EXPECT_EQ(fixture.host.records("host").back().message,
              "000-000=0200;011-000=003000;005-000=6274311234567890;");
    // Nothing left under a working name; the answer is the owner's only.
    EXPECT_FALSE(fs::exists(in("PDV1.001")));
    EXPECT_FALSE(fs::exists(in("PDV1.thr")));
    EXPECT_TRUE(eventually([&] { return !fs::exists(out("PDV1.sts")); }));
    EXPECT_FALSE(fs::exists(out("PDV1.tmp")));
    struct stat st {};
    ASSERT_EQ(::stat(out("PDV1.001").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // The card number is in the log only masked.
    EXPECT_TRUE(eventually([&] { return logText().find("Arquivo Devolvido..PDV1") != std::string::npos; }));
    const std::string log = logText();
    EXPECT_NE(log.find("Arquivo PDV1.001"), std::string::npos);
    EXPECT_EQ(log.find("6274311234567890"), std::string::npos);
    EXPECT_NE(log.find("*7890;"), std::string::npos);
    EXPECT_EQ(agent->stop(SIGTERM), 0);
}

TEST_F(AgentFolder, FailedExchangesAnswerTheThreeDigitCode) {
    startAgent();
    // No field: the bare length, which the library refuses.
    drop("EMPTY.001", "no fields here\r\n");
    EXPECT_EQ(answer("EMPTY"), "009-000 = 202\r\n");
    // An operator without a route: no server.
    drop("NOROUTE.001", "040-000=NOROUTE\r\n000-000=0200\r\n999-999\r\n");
    EXPECT_EQ(answer("NOROUTE"), "009-000 = 163\r\n999-999\r\n");
    // A host that refuses its port.
    drop("REFUSED.001", "040-000=OPR\r\n000-000=0200\r\n");
    const std::string refused = vtx::platform::probeHost("127.0.0.1") ? "164" : "163";
    EXPECT_EQ(answer("REFUSED"), "009-000 = " + refused + "\r\n");
}

TEST_F(AgentFolder, CancelRemovesTheAnswersWaitingInTheOutputFolder) {
    startAgent();
    drop("A.001", "040-000=OPA\r\n000-000=0200\r\n");
    ASSERT_FALSE(answer("A").empty());
    const size_t sent = hostMessages();
    drop("B.001", "000-000=EXI\r\n");
    EXPECT_TRUE(eventually([&] { return !fs::exists(out("A.001")) && !fs::exists(in("B.thr")); }));
    EXPECT_TRUE(eventually([&] { return logText().find("Arquivo B.001") != std::string::npos; }));
    EXPECT_FALSE(fs::exists(out("B.001")));
    EXPECT_EQ(hostMessages(), sent);
    // With nothing to remove the log says so.
    drop("C.001", "000-000=EXI\r\n");
    EXPECT_TRUE(eventually([&] { return logText().find("N\xe3o achou") != std::string::npos; }));
}

TEST_F(AgentFolder, BadRequestFilesGetAClearAnswerAndLoseNothing) {
    startAgent();
    drop("ZERO.001", "");
    EXPECT_EQ(answer("ZERO"), "009-000 = 202\r\n");

    std::string huge;
    while (huge.size() < 1024 * 1024) huge += "001-000=" + std::string(100, 'X') + "\r\n";
    drop("HUGE.001", huge);
    EXPECT_EQ(answer("HUGE"), "009-000 = 202\r\n");
    EXPECT_TRUE(eventually([&] { return logText().find("HUGE recusado") != std::string::npos; }));

    drop("NUL.001", std::string("040-000=OPA\r\n000-000=02\0" "00\r\n", 24));
    EXPECT_EQ(answer("NUL"), "009-000 = 202\r\n");

    // A 600-character line is one field, sent whole; CR-only line ends and
    // bytes beyond ASCII are taken as they are.
    const std::string value(592, 'L');
    drop("LONG.001", "040-000=OPA\r000-000=0200\r001-000=" + value + "\r002-000=\xe7\x01\xff\r");
    EXPECT_FALSE(answer("LONG").empty());
    EXPECT_EQ(fixture.host.records("host").back().message,
              "000-000=0200;001-000=" + value + ";002-000=\xe7\x01\xff;");

    // Names with blanks and accents.
    const std::string name = "caixa 2 a\xc3\xa7\xc3\xa3o";
    drop(name + ".001", "040-000=OPA\n000-000=0200\n");
    EXPECT_NE(answer(name).find("009-000 = 00"), std::string::npos);
    // Every request is answered: nothing is left in either folder but answers
    // (a request's .sts mark goes just after its answer appears).
    EXPECT_TRUE(fs::is_empty(station.installDir() + "/REQ"));
    const auto onlyAnswers = [&] {
        for (const auto& entry : fs::directory_iterator(station.installDir() + "/RESP"))
            if (entry.path().extension() != ".001") return false;
        return true;
    };
    EXPECT_TRUE(eventually(onlyAnswers));
    for (const auto& entry : fs::directory_iterator(station.installDir() + "/RESP"))
        EXPECT_EQ(entry.path().extension(), ".001") << entry.path();
}

TEST_F(AgentFolder, AFileStillBeingWrittenIsNotTakenHalfWritten) {
    startAgent();
    const int fd = ::open(in("A.001").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    const std::string first = "040-000=OPA\r\n000-000=0200\r\n011-0";
    ASSERT_EQ(::write(fd, first.data(), first.size()), static_cast<ssize_t>(first.size()));
    // A whole request behind it is answered while the first is still open.
    drop("B.001", "040-000=OPA\r\n000-000=0200\r\n011-000=000002\r\n");
    ASSERT_FALSE(answer("B").empty());
    EXPECT_TRUE(fs::exists(in("A.001")));
    EXPECT_FALSE(fs::exists(out("A.001")));
    const std::string rest = "00=000001\r\n";
    ASSERT_EQ(::write(fd, rest.data(), rest.size()), static_cast<ssize_t>(rest.size()));
    ::close(fd);
    EXPECT_FALSE(answer("A").empty());
    EXPECT_EQ(fixture.host.records("host").back().message, "000-000=0200;011-000=000001;");
}

TEST_F(AgentFolder, TheNextFileIsTakenAfterThePause) {
    station.setCore("ShellFile", "Pause_Next_File", "");  // the default, 5 s
    startAgent();
    const auto dropped = std::chrono::steady_clock::now();
    drop("P1.001", "040-000=OPA\r\n000-000=0200\r\n011-000=000001\r\n");
    drop("P2.001", "040-000=OPA\r\n000-000=0200\r\n011-000=000002\r\n");
    ASSERT_FALSE(answer("P1").empty());
    ASSERT_FALSE(answer("P2").empty());
    EXPECT_GE(std::chrono::steady_clock::now() - dropped, 5s);
    const auto records = fixture.host.records("host");
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(records[records.size() - 2].message, "000-000=0200;011-000=000001;");
    EXPECT_EQ(records.back().message, "000-000=0200;011-000=000002;");
}

TEST_F(AgentFolder, AMissingLibraryOrFunctionLeavesTheRequestUnanswered) {
    station.setCore("ShellFile", "Dll Exec", "NOSUCH.DLL");
    startAgent();
    drop("L.001", "040-000=OPA\r\n000-000=0200\r\n");
    EXPECT_TRUE(eventually([&] { return logText().find("Erro na carga da DLL") != std::string::npos; }));
    EXPECT_TRUE(fs::exists(out("L.sts")));
    EXPECT_FALSE(fs::exists(out("L.001")));
    EXPECT_EQ(agent->stop(SIGTERM), 0);

    station.setCore("ShellFile", "Dll Exec", "VX32_CLI.DLL");
    station.setCore("ShellFile", "Function Exec", "NoSuchFunction");
    startAgent();
    drop("F.001", "040-000=OPA\r\n000-000=0200\r\n");
    EXPECT_TRUE(eventually([&] { return logText().find("Nao carregou DLL") != std::string::npos; }));
    EXPECT_TRUE(fs::exists(out("F.sts")));
    EXPECT_FALSE(fs::exists(out("F.001")));
}

TEST_F(AgentFolder, WhatAKilledAgentLeftIsAnsweredAfterItsRestart) {
    startAgent();
    EXPECT_EQ(agent->stop(SIGKILL), 128 + SIGKILL);
    const size_t sent = hostMessages();
    ASSERT_GT(sent, 0u);  // the start-up logon
    // Taken but never sent: worked as a new request.
    std::ofstream(in("T.thr"), std::ios::binary) << "040-000=OPA\r\n000-000=0200\r\n011-000=000077\r\n";
    // Moved to the output folder, maybe sent: answered, not sent again.
    std::ofstream(out("S.sts"), std::ios::binary) << "040-000=OPA\r\n000-000=0200\r\n999-999\r\n";
    std::ofstream(out("W.sts"), std::ios::binary) << "040-000=OPA\r\n000-000=0200\r\n";
    std::ofstream(out("W.tmp"), std::ios::binary) << "000-000 = 02";  // half an answer
    // Answered before the kill: only its mark was left.
    std::ofstream(out("D.sts"), std::ios::binary) << "040-000=OPA\r\n000-000=0200\r\n";
    std::ofstream(out("D.001"), std::ios::binary) << "009-000 = 00\r\n";

    startAgent();
    EXPECT_NE(answer("T").find("011-000 = 000077"), std::string::npos);
    EXPECT_EQ(answer("S"), "009-000 = 163\r\n999-999\r\n");
    EXPECT_EQ(answer("W"), "009-000 = 163\r\n");
    EXPECT_EQ(read(out("D.001")), "009-000 = 00\r\n");
    EXPECT_TRUE(eventually([&] {
        return !fs::exists(out("S.sts")) && !fs::exists(out("W.sts")) && !fs::exists(out("D.sts")) &&
               !fs::exists(out("W.tmp")) && !fs::exists(in("T.thr"));
    }));
    // Only the request that never left reached the host.
    size_t again = 0;
    const auto records = fixture.host.records("host");
    for (size_t i = sent; i < records.size(); ++i)
        again += records[i].message.rfind("000-000=0200;", 0) == 0 ? 1u : 0u;
    EXPECT_EQ(again, 1u);
    EXPECT_EQ(records.back().message.find("011-000=000077"), 13u);
    EXPECT_NE(logText().find("interrompido sem resposta"), std::string::npos);
}

TEST_F(AgentFolder, VtxRequestPrintsTheAnswerOrSaysWhereTheRequestStands) {
    startAgent();
    const std::string file = station.installDir() + "/../request.txt";
    std::ofstream(file, std::ios::binary)
        << "040-000=OPA\r\n000-000=0200\r\n011-000=003000\r\n005-000=6274311234567890\r\n";
    AgentProcess request({"request", "--name", "SUPPORT", file}, {}, VTX_BIN_DIR "/vtx");
    ASSERT_TRUE(request.start());
    EXPECT_EQ(request.waitForExit(), 0) << request.errors();
    const auto lines = request.output();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "011-000 = 003000"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "009-000 = 00"), lines.end());
    for (const std::string& line : lines) EXPECT_EQ(line.find("6274311234567890"), std::string::npos);
    EXPECT_FALSE(fs::exists(out("SUPPORT.001")));  // printed, then removed

    // LinkAgent gone: the request waits in the input folder, and vtx says so.
    EXPECT_EQ(agent->stop(SIGTERM), 0);
    AgentProcess waiting({"request", "--timeout", "1", "--name", "LATE", file}, {}, VTX_BIN_DIR "/vtx");
    ASSERT_TRUE(waiting.start());
    EXPECT_EQ(waiting.waitForExit(), 1);
    EXPECT_NE(waiting.errors().find("still waiting in"), std::string::npos) << waiting.errors();
    EXPECT_TRUE(fs::exists(in("LATE.001")));
}

}  // namespace
}  // namespace vtx::linkagent::test
