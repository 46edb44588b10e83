// Installing an assembled table file: .Sxx families replaced, other names
// kept as .BKP, and never a moment without the table the station had.
#include "TableInstaller.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "LogonCommit.h"
#include "LogonFakes.h"
#include "ScopedUmask.h"
#include "TableAssembler.h"
#include "TestRoot.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent::logon {
namespace {

class TableInstallerTest : public ::testing::Test {
protected:
    void SetUp() override { root_.writeFile("C/Vantrix/CORE.INI", ""); }

    void put(const std::string& name, const std::string& content) {
        root_.writeFile("C/Vantrix/" + name, content);
    }
    std::optional<std::string> read(const std::string& name) const {
        return root_.readFile("C/Vantrix/" + name);
    }
    std::vector<std::string> files(const std::string& pattern) const {
        return platform::findFiles(dir(), pattern);
    }
    std::string dir() const { return root_.native("C/Vantrix"); }
    std::string temp() const { return platform::joinPath(dir(), "_FILE$$$$$.TMP.OPA"); }

    vtx::test::TempRoot root_;
    test::RecordingLogger logger_;
    TableInstaller installer_{root_.native("C/Vantrix"), logger_};
};

TEST_F(TableInstallerTest, GenerationNamesHaveFourCharactersFromTheirFirstDotS) {
    EXPECT_TRUE(TableInstaller::isGenerationName("UP.S07"));
    EXPECT_TRUE(TableInstaller::isGenerationName("LT0001.S3A"));
    EXPECT_FALSE(TableInstaller::isGenerationName("UP.S007"));
    EXPECT_FALSE(TableInstaller::isGenerationName("A.SXY.S01"));
    EXPECT_FALSE(TableInstaller::isGenerationName("TABELA.TXT"));
}

TEST_F(TableInstallerTest, NewGenerationReplacesEveryOlderOneOfItsFamilyOnly) {
    put("UP.S01", "old 1");
    put("up.s9f", "old 2");
    put("UP.S07", "old 3");
    put("UP.S0", "not of the family");
    put("LT0001.S01", "other family");
    put(std::string("_FILE$$$$$.TMP.OPA"), "new\r\n");

    ASSERT_TRUE(installer_.install(temp(), "UP.S07"));

    EXPECT_EQ(files("UP.S*"), (std::vector<std::string>{"UP.S0", "UP.S07"}));
    EXPECT_EQ(read("UP.S07"), "new\r\n");
    EXPECT_EQ(read("LT0001.S01"), "other family");
    EXPECT_FALSE(read("_FILE$$$$$.TMP.OPA"));
    EXPECT_TRUE(logger_.lines().empty());
}

TEST_F(TableInstallerTest, OtherNamesKeepThePreviousCopyAsBkp) {
    put("tabela.txt", "first");
    put("TABELA.TXT.BKP", "older");
    put(std::string("_FILE$$$$$.TMP.OPA"), "second");

    ASSERT_TRUE(installer_.install(temp(), "TABELA.TXT"));

    EXPECT_EQ(files("TABELA.TXT*"), (std::vector<std::string>{"TABELA.TXT", "TABELA.TXT.BKP"}));
    EXPECT_EQ(read("TABELA.TXT"), "second");
    EXPECT_EQ(read("TABELA.TXT.BKP"), "first");

    // Without a file to replace, a stale backup goes.
    put("NOVA.TXT.BKP", "stale");
    put(std::string("_FILE$$$$$.TMP.OPA"), "brand new");
    ASSERT_TRUE(installer_.install(temp(), "NOVA.TXT"));
    EXPECT_EQ(files("NOVA.TXT*"), (std::vector<std::string>{"NOVA.TXT"}));
}

TEST_F(TableInstallerTest, AFileThatCannotBeMovedInLeavesWhatTheStationHad) {
    put("UP.S01", "current");
    put("TABELA.TXT", "current table");

    EXPECT_FALSE(installer_.install(temp(), "UP.S07"));  // no temporary file
    EXPECT_FALSE(installer_.install(temp(), "TABELA.TXT"));

    EXPECT_EQ(read("UP.S01"), "current");
    EXPECT_EQ(read("TABELA.TXT"), "current table");
    const std::string expected =
        "Erro movendo arquivo [" + temp() + "] para [" + dir() + "/UP.S07]";
    EXPECT_TRUE(logger_.has(expected)) << logger_.lines().front();
}

// Tables hold the manager passwords and card ranges: whatever the umask,
// an assembled table, the copy kept of the one it replaces and the assembly
// file are the installation's user's only.
TEST_F(TableInstallerTest, TablesArePrivateWhateverTheUmask) {
    put("TABELA.TXT", "first");
    ::chmod(root_.native("C/Vantrix/TABELA.TXT").c_str(), 0666);
    vtx::test::ScopedUmask wide(0);
    TableAssembler assembler(dir(), "OPA");
    LogonAnswer up;
    up.fileName = "UP.S07";
    up.data = "000,MNG1,SSSSSSSSS!";
    ASSERT_TRUE(assembler.take(up));
    EXPECT_EQ(vtx::test::permissionsOf(temp()), 0600);
    LogonAnswer table;
    table.fileName = "TABELA.TXT";
    table.data = "second!";
    ASSERT_TRUE(assembler.take(table));
    ASSERT_TRUE(assembler.take(LogonAnswer{}));
    const LogonStore store(platform::joinPath(dir(), "CORE.INI"));
    ASSERT_TRUE(LogonCommit(dir(), store, logger_)
                    .commit("OPA", {"0000000077", "000005"}, assembler.takeStaged()));

    EXPECT_EQ(read("UP.S07"), "000,MNG1,SSSSSSSSS\r\n");
    EXPECT_EQ(read("TABELA.TXT"), "second\r\n");
    EXPECT_EQ(read("TABELA.TXT.BKP"), "first");
    EXPECT_EQ(vtx::test::permissionsOf(platform::joinPath(dir(), "UP.S07")), 0600);
    EXPECT_EQ(vtx::test::permissionsOf(platform::joinPath(dir(), "TABELA.TXT")), 0600);
    EXPECT_EQ(vtx::test::permissionsOf(platform::joinPath(dir(), "TABELA.TXT.BKP")), 0600);
    EXPECT_TRUE(files(".*").empty());
}

}  // namespace
}  // namespace vtx::linkagent::logon
