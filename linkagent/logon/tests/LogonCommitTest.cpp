// What a stopped program leaves of an operator's commit, and how the next
// start settles it: the record's remaining tables go in, the marks follow,
// and nothing that no record names stays or moves.
#include "LogonCommit.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestRoot.h"
#include "vtx/linkagent/testing/ServiceFakes.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent::logon {
namespace {

class LogonCommitTest : public ::testing::Test {
protected:
    void SetUp() override {
        put("CORE.INI", "[LOGON]\r\nNLote_OPA=0000000070\r\nVTabela_OPA=000004\r\n");
    }
    void put(const std::string& name, const std::string& content) const {
        root_.writeFile("C/Vantrix/" + name, content);
    }
    std::optional<std::string> read(const std::string& name) const {
        return root_.readFile("C/Vantrix/" + name);
    }
    std::vector<std::string> files() const { return platform::findFiles(dir(), "*"); }
    std::string dir() const { return root_.native("C/Vantrix"); }
    std::string batch() const {
        return platform::iniGetString(store_.path(), "LOGON", "NLote_OPA", "?");
    }
    // The record of a commit of batch 77, version 5 for these tables.
    void putRecord(const std::vector<std::pair<std::string, std::string>>& tables) const {
        std::string text = "[LOGON]\r\nNLote=0000000077\r\nVTabela=000005\r\nTabelas=" +
                           std::to_string(tables.size()) + "\r\n";
        for (size_t i = 0; i < tables.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            text += "Arquivo" + n + "=" + tables[i].first + "\r\nTabela" + n + "=" +
                    tables[i].second + "\r\n";
        }
        put("_FILE$$$$$.OK.OPA", text);
    }

    vtx::test::TempRoot root_;
    test::RecordingLogger logger_;
    LogonStore store_{root_.native("C/Vantrix/CORE.INI")};
    LogonCommit commit_{root_.native("C/Vantrix"), store_, logger_};
};

TEST_F(LogonCommitTest, AStopRightAfterAGenerationMovedInStillRemovesItsOlderOnes) {
    put("UP.S05", "old");
    put("UP.S07", "new");
    put("LT0001.S3A", "new list");
    putRecord({{"_FILE$$$$$.TMP.OPA.1", "LT0001.S3A"}, {"_FILE$$$$$.TMP.OPA.2", "UP.S07"}});
    commit_.recover();

    EXPECT_EQ(files(), (std::vector<std::string>{"CORE.INI", "LT0001.S3A", "UP.S07"}));
    EXPECT_EQ(read("UP.S07"), "new");
    EXPECT_EQ(batch(), "0000000077");
    EXPECT_EQ(logger_.lines(), std::vector<std::string>{
                                   "Finalizando Login [OPA] - Instalacao interrompida concluida"});
}

TEST_F(LogonCommitTest, StagedTablesThatNoRecordNamesAreDeletedUninstalled) {
    put("UP.S05", "old");
    put("_FILE$$$$$.TMP.OPA.1", "new");
    put("_FILE$$$$$.TMP.OPB.3", "new");
    put("_FILE$$$$$.TMP.OPA", "being assembled");
    commit_.recover();

    EXPECT_EQ(files(), (std::vector<std::string>{"CORE.INI", "UP.S05", "_FILE$$$$$.TMP.OPA"}));
    EXPECT_EQ(batch(), "0000000070");
    EXPECT_TRUE(logger_.lines().empty());
}

// A program stopped while it wrote a record: its temporary goes at the next
// start, even when that operator never logs on again.
TEST_F(LogonCommitTest, TheTemporaryOfARecordCutShortIsDeleted) {
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    put("._FILE$$$$$.OK.OPB." + std::to_string(dead) + ".0.tmp", "[LOGON]\r\nNLote=00");
    put("UP.S05", "old");
    commit_.recover();

    EXPECT_EQ(files(), (std::vector<std::string>{"CORE.INI", "UP.S05"}));
    EXPECT_EQ(platform::findFiles(dir(), ".*"), std::vector<std::string>{});
    EXPECT_EQ(batch(), "0000000070");
}

TEST_F(LogonCommitTest, ARecordNamingFilesTheLogonNeverStagedMovesNothing) {
    put("TABELA.TXT", "kept");
    for (const auto& [staged, table] : std::vector<std::pair<std::string, std::string>>{
             {"TABELA.TXT", "UP.S07"},                 // not a staged file
             {"_FILE$$$$$.TMP.OPB.1", "UP.S07"},       // another operator's
             {"_FILE$$$$$.TMP.OPA.1", "..\\CORE.INI"}  // a table outside
         }) {
        SCOPED_TRACE(staged + " -> " + table);
        put("_FILE$$$$$.TMP.OPA.1", "staged");
        putRecord({{staged, table}});
        commit_.recover();
        EXPECT_EQ(files(), (std::vector<std::string>{"CORE.INI", "TABELA.TXT"}));
        EXPECT_EQ(read("TABELA.TXT"), "kept");
        EXPECT_EQ(batch(), "0000000070");
    }
}

TEST_F(LogonCommitTest, ACommitInstallsInOrderAndLeavesOnlyTheTables) {
    put("UP.S05", "old");
    put("_FILE$$$$$.TMP.OPA.1", "first");
    put("_FILE$$$$$.TMP.OPA.2", "second");
    ASSERT_TRUE(commit_.commit("OPA", {"0000000077", "000005"},
                               {{platform::joinPath(dir(), "_FILE$$$$$.TMP.OPA.1"), "UP.S06"},
                                {platform::joinPath(dir(), "_FILE$$$$$.TMP.OPA.2"), "UP.S07"}}));
    EXPECT_EQ(files(), (std::vector<std::string>{"CORE.INI", "UP.S07"}));
    EXPECT_EQ(read("UP.S07"), "second");
    EXPECT_EQ(batch(), "0000000077");
}

}  // namespace
}  // namespace vtx::linkagent::logon
