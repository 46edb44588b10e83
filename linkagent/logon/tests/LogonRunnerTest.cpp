// The logon thread against a scripted host: the exchange step by step, the
// files it leaves, CORE.INI, the log texts, and how it stops.
#include "vtx/linkagent/logon/LogonRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <thread>

#include "Eventually.h"
#include "LogonFakes.h"
#include "TestRoot.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent {
namespace {

using namespace std::chrono_literals;
using test::answer0810;
using test::ScriptedReply;

const std::string kBatch = "0000000077";
const std::string kVersion = "000005";
const std::string kClosing =
    "0810200000000301000438800000003026" + kBatch + kVersion + "0000000000" + "000";

ScriptedReply piece(const std::string& n, const std::string& name, const std::string& data) {
    return {answer0810(kBatch, kVersion, n, name, data)};
}

class LogonRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_.writeFile("C/Vantrix/CORE.INI", "[CONFIG]\r\nESTAB_CODE=12345\r\n");
        limits_.dialUpStep = 10ms;
        limits_.dialUpSteps = 3;
    }

    std::unique_ptr<LogonRunner> runner(std::vector<std::string> ops,
                                        const std::string& dir = "C:\\Vantrix") {
        return std::make_unique<LogonRunner>(logger_, guard_, status_, host_.exchange(),
                                             test::listing(std::move(ops)), dir, limits_);
    }
    void logOn(std::vector<std::string> ops) {
        auto r = runner(std::move(ops));
        ASSERT_TRUE(r->startLogon());
        ASSERT_TRUE(r->waitFor(30s));
    }

    std::optional<std::string> file(const std::string& name) const {
        return root_.readFile("C/Vantrix/" + name);
    }
    std::string core(const std::string& section, const std::string& key) const {
        return platform::iniGetString("C:\\Vantrix\\CORE.INI", section, key, "?");
    }
    std::vector<std::string> requestsOf(const std::string& op) const {
        std::vector<std::string> out;
        for (const auto& call : host_.calls()) {
            if (call.op == op) out.push_back(call.request);
        }
        return out;
    }

    vtx::test::TempRoot root_;
    test::RecordingLogger logger_;
    test::RecordingStatus status_;
    test::FakeGuard guard_;
    test::ScriptedHost host_;
    LogonLimits limits_;
};

TEST_F(LogonRunnerTest, EmptyFileNameOnTheFirstAnswerEndsAtOnceWithoutAFile) {
    host_.script("OPA", {{kClosing}});
    logOn({"OPA"});

    const std::string request =
        "0073"
        "08002000000001410000388000003"
        "12345" +
        std::string(10, ' ') + "026" + std::string(26, '0');
    EXPECT_EQ(logger_.lines(), (std::vector<std::string>{
                                   "Iniciando Logon",
                                   "Login Adm OPA lote ",
                                   "Send --> " + request,
                                   "Recv --> 0063" + kClosing,
                                   "Finalizando Login - OK",
                                   "Finalizando Trata Login.",
                               }));
    EXPECT_EQ(status_.logonTexts(),
              (std::vector<std::string>{"Iniciando Logon", "Finalizando Login", ""}));
    ASSERT_EQ(host_.calls().size(), 1u);
    EXPECT_EQ(host_.calls()[0].service, "ADM");
    EXPECT_FALSE(file("_FILE$$$$$.TMP.OPA"));
    EXPECT_EQ(platform::findFiles(root_.native("C/Vantrix"), "*"),
              (std::vector<std::string>{"CORE.INI"}));
}

TEST_F(LogonRunnerTest, PiecesOfOneFileAreJoinedAndReplaceTheOlderGenerations) {
    root_.writeFile("C/Vantrix/UP.S01", "old");
    root_.writeFile("C/Vantrix/UP.S02", "older");
    root_.writeFile("C/Vantrix/TABELA.TXT", "previous");
    host_.script("OPA", {piece("0000000001", "UP.S07", "A!B!"),
                         piece("0000000002", "UP.S07", "C!"),
                         piece("0000000003", "tabela.txt", "X!Y!Z"),
                         {kClosing}});
    logOn({"OPA"});

    EXPECT_EQ(file("UP.S07"), "A\r\nB\r\nC\r\n");
    EXPECT_FALSE(file("UP.S01"));
    EXPECT_FALSE(file("UP.S02"));
    // Text after the last "!" is no record; the replaced table is kept.
    EXPECT_EQ(file("TABELA.TXT"), "X\r\nY\r\n");
    EXPECT_EQ(file("TABELA.TXT.BKP"), "previous");
    // Each request echoes the continuation of the answer before it.
    const auto requests = requestsOf("OPA");
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[1].substr(51), kBatch + kVersion + "0000000001");
    EXPECT_EQ(requests[3].substr(51), kBatch + kVersion + "0000000003");
    EXPECT_TRUE(logger_.has("Finalizando Login - OK"));
}

TEST_F(LogonRunnerTest, BatchAndVersionAreKeptAndSentOnTheNextLogon) {
    host_.script("OPA", {{kClosing}, {kClosing}});
    logOn({"OPA"});
    EXPECT_EQ(core("LOGON", "NLote_OPA"), kBatch);
    EXPECT_EQ(core("LOGON", "VTabela_OPA"), kVersion);

    logOn({"OPA"});
    const auto requests = requestsOf("OPA");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].substr(51), std::string(26, '0'));
    EXPECT_EQ(requests[1].substr(51), kBatch + kVersion + "0000000000");
    EXPECT_TRUE(logger_.has("Login Adm OPA lote " + kBatch));
}

TEST_F(LogonRunnerTest, AFailingOperatorStopsAloneAndItsFileStaysUninstalled) {
    host_.script("OPA", {piece("0000000001", "UP.S07", "A!"), {"0810200000000300000038800096003"}});
    host_.script("OPB", {{"", -164}});
    host_.script("OPC", {piece("0000000001", "LT0001.S3A", "L!"), {kClosing}});
    logOn({"OPA", "OPB", "OPC"});

    EXPECT_TRUE(logger_.has("Finalizando Login [OPA] - Mensagem Inv\xE1lida"));
    EXPECT_TRUE(logger_.has("Finalizando Login [OPB] - Erro [-164]"));
    EXPECT_FALSE(file("UP.S07"));
    EXPECT_EQ(file("_FILE$$$$$.TMP.OPA"), "A\r\n");
    EXPECT_EQ(file("LT0001.S3A"), "L\r\n");
    // Only the operator whose logon ended is marked up to date.
    EXPECT_EQ(core("LOGON", "NLote_OPA"), "?");
    EXPECT_EQ(core("LOGON", "NLote_OPB"), "?");
    EXPECT_EQ(core("LOGON", "NLote_OPC"), kBatch);
}

// A station holding tables of batch 70, version 4.
class StationWithTables : public LogonRunnerTest {
protected:
    void SetUp() override {
        LogonRunnerTest::SetUp();
        root_.writeFile("C/Vantrix/CORE.INI",
                        "[CONFIG]\r\nESTAB_CODE=12345\r\n"
                        "[LOGON]\r\nNLote_OPA=0000000070\r\nVTabela_OPA=000004\r\n");
        root_.writeFile("C/Vantrix/UP.S05", "old passwords");
        root_.writeFile("C/Vantrix/TABELA.TXT", "old table");
    }
    // Two whole tables, then the end.
    std::vector<ScriptedReply> wholeLogon() const {
        return {piece("0000000001", "TABELA.TXT", "T!"),
                piece("0000000002", "UP.S07", "A!"),
                piece("0000000003", "UP.S07", "B!"),
                {kClosing}};
    }
    // Everything the station held, unchanged.
    void expectOldTablesAndMarks() const {
        EXPECT_EQ(file("UP.S05"), "old passwords");
        EXPECT_EQ(file("TABELA.TXT"), "old table");
        EXPECT_FALSE(file("UP.S07"));
        EXPECT_FALSE(file("TABELA.TXT.BKP"));
        EXPECT_EQ(core("LOGON", "NLote_OPA"), "0000000070");
        EXPECT_EQ(core("LOGON", "VTabela_OPA"), "000004");
        EXPECT_EQ(platform::findFiles(root_.native("C/Vantrix"), "_FILE$$$$$.TMP.OPA.*"),
                  std::vector<std::string>{});
    }
    void expectNewTablesAndMarks() const {
        EXPECT_EQ(file("UP.S07"), "A\r\nB\r\n");
        EXPECT_FALSE(file("UP.S05"));
        EXPECT_EQ(file("TABELA.TXT"), "T\r\n");
        EXPECT_EQ(file("TABELA.TXT.BKP"), "old table");
        EXPECT_EQ(core("LOGON", "NLote_OPA"), kBatch);
        EXPECT_EQ(core("LOGON", "VTabela_OPA"), kVersion);
    }
};

TEST_F(StationWithTables, ALogonCutShortChangesNoTableAndNoMarkAndTheNextAsksAgain) {
    struct Case {
        const char* what;
        ScriptedReply third;  // replaces the answer that ends UP.S07
        const char* logged;
    };
    const Case cases[] = {
        {"exchange error", {"", -163}, "Finalizando Login [OPA] - Erro [-163]"},
        {"invalid answer",
         {"0810200000000300000038800096003"},
         "Finalizando Login [OPA] - Mensagem Inv\xE1lida"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host_.script("OPA", {piece("0000000001", "TABELA.TXT", "T!"),
                             piece("0000000002", "UP.S07", "A!"), c.third});
        logOn({"OPA"});
        EXPECT_TRUE(logger_.has(c.logged));
        EXPECT_FALSE(logger_.has("Finalizando Login - OK"));
        expectOldTablesAndMarks();
        // The table being assembled stays in the temporary file.
        EXPECT_EQ(file("_FILE$$$$$.TMP.OPA"), "A\r\n");
    }

    host_.script("OPA", wholeLogon());
    logOn({"OPA"});
    const auto requests = requestsOf("OPA");
    ASSERT_EQ(requests.size(), 3u + 3u + 4u);
    EXPECT_EQ(requests[6].substr(51), "0000000070000004" + std::string(10, '0'));
    expectNewTablesAndMarks();
    EXPECT_EQ(platform::findFiles(root_.native("C/Vantrix"), "_FILE$$$$$.*"),
              std::vector<std::string>{});
}

TEST_F(StationWithTables, ALogonCutOffAtItsAnswerLimitChangesNothing) {
    limits_.maxExchanges = 3;
    host_.script("OPA", wholeLogon());
    logOn({"OPA"});
    EXPECT_TRUE(logger_.has("Finalizando Login [OPA] - Limite de 3 respostas atingido"));
    expectOldTablesAndMarks();
}

TEST_F(StationWithTables, ATableThatCannotBePutInPlaceLeavesTheMarksAsTheyWere) {
    std::filesystem::remove(root_.native("C/Vantrix/TABELA.TXT"));
    std::filesystem::create_directory(root_.native("C/Vantrix/TABELA.TXT"));
    host_.script("OPA", wholeLogon());
    logOn({"OPA"});
    EXPECT_FALSE(logger_.has("Finalizando Login - OK"));
    EXPECT_EQ(core("LOGON", "NLote_OPA"), "0000000070");
    EXPECT_EQ(platform::findFiles(root_.native("C/Vantrix"), "_FILE$$$$$.*"),
              std::vector<std::string>{});
}

TEST_F(StationWithTables, ALogonFirstCompletesTheInstallAStoppedProgramLeft) {
    // Killed after its first table went in: the record and the second
    // staged table remain.
    root_.writeFile("C/Vantrix/TABELA.TXT", "T\r\n");
    root_.writeFile("C/Vantrix/TABELA.TXT.BKP", "old table");
    root_.writeFile("C/Vantrix/_FILE$$$$$.TMP.OPA.2", "A\r\nB\r\n");
    root_.writeFile("C/Vantrix/_FILE$$$$$.OK.OPA",
                    "[LOGON]\r\nNLote=" + kBatch + "\r\nVTabela=" + kVersion +
                        "\r\nTabelas=2\r\n"
                        "Arquivo1=_FILE$$$$$.TMP.OPA.1\r\nTabela1=TABELA.TXT\r\n"
                        "Arquivo2=_FILE$$$$$.TMP.OPA.2\r\nTabela2=UP.S07\r\n");
    host_.script("OPA", {{kClosing}});
    logOn({"OPA"});

    expectNewTablesAndMarks();
    EXPECT_TRUE(logger_.has("Finalizando Login [OPA] - Instalacao interrompida concluida"));
    // The logon asked with the marks of the tables it had by then.
    ASSERT_EQ(requestsOf("OPA").size(), 1u);
    EXPECT_EQ(requestsOf("OPA")[0].substr(51), kBatch + kVersion + std::string(10, '0'));
    EXPECT_FALSE(file("_FILE$$$$$.OK.OPA"));
}

TEST_F(LogonRunnerTest, DelayBetweenExchangesIsHonouredAndBounded) {
    root_.writeFile("C/Vantrix/CORE.INI", "[CONFIG]\r\nDELAY_INICIALIZACAO=150\r\n");
    host_.script("OPA", {piece("0000000001", "UP.S07", "A!"), {kClosing}});
    auto started = std::chrono::steady_clock::now();
    logOn({"OPA"});
    EXPECT_GE(std::chrono::steady_clock::now() - started, 300ms);

    root_.writeFile("C/Vantrix/CORE.INI", "[CONFIG]\r\nDELAY_INICIALIZACAO=900000000\r\n");
    limits_.maxDelay = 50ms;
    host_.script("OPB", {piece("0000000001", "UP.S07", "A!"), {kClosing}});
    started = std::chrono::steady_clock::now();
    logOn({"OPB"});
    EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);  // not the 900000000 ms asked for
    EXPECT_TRUE(logger_.has("Finalizando Login - OK"));
}

TEST_F(LogonRunnerTest, EndingStopsTheLoopAndLeavesTheFileUninstalled) {
    root_.writeFile("C/Vantrix/CORE.INI", "[CONFIG]\r\nDELAY_INICIALIZACAO=60000\r\n");
    host_.script("OPA", {piece("0000000001", "UP.S07", "A!"), {kClosing}});
    host_.script("OPB", {{kClosing}});
    auto r = runner({"OPA", "OPB"});
    ASSERT_TRUE(r->startLogon());
    ASSERT_TRUE(vtx::test::eventually([&] { return !host_.calls().empty(); }));
    r->notifyEnding();

    // Well before the 60 s delay would end.
    ASSERT_TRUE(r->waitFor(30s));
    EXPECT_TRUE(logger_.has("Finalizando Login - Aplica\xE7\xE3o encerrada"));
    EXPECT_EQ(host_.calls().size(), 1u);
    EXPECT_FALSE(file("UP.S07"));
    EXPECT_EQ(core("LOGON", "NLote_OPA"), "?");
    EXPECT_FALSE(r->startLogon());
}

TEST_F(LogonRunnerTest, StartsNoSecondLogonWhileOneRuns) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> inside{false};
    host_.onExchange = [&](const std::string&) {
        inside = true;
        released.wait_for(60s);
    };
    host_.script("OPA", {{kClosing}, {kClosing}});
    auto r = runner({"OPA"});
    ASSERT_TRUE(r->startLogon());
    ASSERT_TRUE(vtx::test::eventually([&] { return inside.load(); }));

    EXPECT_TRUE(r->running());
    EXPECT_FALSE(r->startLogon());
    EXPECT_TRUE(logger_.has("Trata login iniciada duas vezes."));
    release.set_value();
    ASSERT_TRUE(r->waitFor(30s));
    EXPECT_FALSE(r->running());
    EXPECT_EQ(host_.calls().size(), 1u);

    // Once it has ended, the next one starts.
    ASSERT_TRUE(r->startLogon());
    r->wait();
    EXPECT_EQ(host_.calls().size(), 2u);
}

TEST_F(LogonRunnerTest, WithoutAConnectionNothingIsExchanged) {
    guard_.connected = false;
    logOn({"OPA"});
    EXPECT_EQ(logger_.lines(),
              (std::vector<std::string>{"Nao existe conexao para realizar Login"}));
    EXPECT_TRUE(host_.calls().empty());
}

TEST_F(LogonRunnerTest, DialUpDownIsWaitedForInBoundedSteps) {
    guard_.downChecks = 1000;
    host_.script("OPA", {{kClosing}});
    const auto started = std::chrono::steady_clock::now();
    logOn({"OPA"});
    EXPECT_GE(std::chrono::steady_clock::now() - started, 30ms);
    EXPECT_EQ(host_.calls().size(), 1u);
}

TEST_F(LogonRunnerTest, TemporaryFileThatCannotBeOpenedStopsTheOperator) {
    host_.script("OPA", {piece("0000000001", "UP.S07", "A!")});
    auto r = runner({"OPA"}, "C:\\Missing");
    ASSERT_TRUE(r->startLogon());
    ASSERT_TRUE(r->waitFor(30s));
    const std::string temp = root_.native("C/Missing/_FILE$$$$$.TMP.OPA");
    EXPECT_TRUE(logger_.has("Erro abrindo arquivo temporario --> " + temp));
    EXPECT_EQ(host_.calls().size(), 1u);
}

TEST_F(LogonRunnerTest, AHostThatNeverStopsNamingFilesIsCutOff) {
    limits_.maxExchanges = 3;
    host_.script("OPA", {piece("0000000001", "UP.S07", "A!"),
                         piece("0000000002", "UP.S07", "B!"),
                         piece("0000000003", "UP.S07", "C!"),
                         {kClosing}});
    logOn({"OPA"});
    EXPECT_TRUE(logger_.has("Finalizando Login [OPA] - Limite de 3 respostas atingido"));
    EXPECT_FALSE(file("UP.S07"));
    EXPECT_EQ(host_.calls().size(), 3u);
}

}  // namespace
}  // namespace vtx::linkagent
