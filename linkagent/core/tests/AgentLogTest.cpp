#include "vtx/linkagent/AgentLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "ScopedUmask.h"
#include "TestRoot.h"
#include "vtx/platform/IniFile.h"

namespace vtx::linkagent {
namespace {

namespace fs = std::filesystem;

constexpr const char* kInstall = "C:\\Vantrix";

class AgentLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        setLogEnable("Y");
        fs::create_directories(root_.native("C/Vantrix/LOG"));
    }
    void setLogEnable(std::string_view value) {
        root_.writeFile("C/Vantrix/CORE.INI",
                        "[ShellFile]\r\nLOGENABLE=" + std::string(value) + "\r\n");
    }
    std::vector<std::string> logFiles() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(root_.native("C/Vantrix/LOG"))) {
            names.push_back(e.path().filename().string());
        }
        return names;
    }
    // The entry lines of a log file (after the section line).
    static std::vector<std::string> entries(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        EXPECT_FALSE(lines.empty());
        if (!lines.empty()) {
            EXPECT_EQ(lines.front(), "[CLIENTPROCEDURE]");
            lines.erase(lines.begin());
        }
        return lines;
    }

    test::TempRoot root_;
};

TEST_F(AgentLogTest, EntryHasTickKeyLocalTimeCodeAndMessage) {
    AgentLog log(kInstall, [] { return 1234u; });
    log.logf("Mensagem recebida %s %s", "0010", "abc");
    auto files = logFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(std::regex_match(files[0], std::regex("SHELLFILE[0-9]{17}\\.LOG")));
    EXPECT_EQ(log.fileName(), root_.native("C/Vantrix/LOG/" + files[0]));
    auto lines = entries(log.fileName());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(std::regex_match(
        lines[0],
        std::regex("000000001234=[0-9]{8}\\|[0-9]{9}\\|000\\|Mensagem recebida 0010 abc")))
        << lines[0];
    // The date of the entry is the date in the file name (ddmmyyyy).
    EXPECT_EQ(lines[0].substr(13, 8), files[0].substr(9, 8));
}

TEST_F(AgentLogTest, OnlyTrueOneOrYInAnyCaseEnableTheLog) {
    for (const char* off : {"n", "N", "", "yes", "0", "false"}) {
        setLogEnable(off);
        AgentLog log(kInstall);
        EXPECT_FALSE(log.enabled()) << off;
        log.log("nada");
    }
    EXPECT_TRUE(logFiles().empty());
    for (const char* on : {"true", "TRUE", "1", "y", "Y"}) {
        setLogEnable(on);
        EXPECT_TRUE(AgentLog(kInstall).enabled()) << on;
    }
}

TEST_F(AgentLogTest, MessagesInSequenceHaveKeysAtLeastOneApart) {
    // Within one millisecond, and with the clock standing still.
    AgentLog still(kInstall, [] { return 500u; });
    still.log("a");
    still.log("b");
    still.log("c");
    auto lines = entries(still.fileName());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(0, 13), "000000000500=");
    EXPECT_EQ(lines[1].substr(0, 13), "000000000501=");
    EXPECT_EQ(lines[2].substr(0, 13), "000000000502=");

    // A clock that jumps ahead is followed again.
    uint32_t t = 100;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));  // a new file name
    AgentLog jumping(kInstall, [&t] { return t; });
    jumping.log("a");
    t = 90;  // not after the last key: still a new one
    jumping.log("b");
    t = 5000;
    jumping.log("c");
    lines = entries(jumping.fileName());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(0, 12), "000000000101");
    EXPECT_EQ(lines[2].substr(0, 12), "000000005000");
}

TEST_F(AgentLogTest, CardNumbersAreMaskedAndAMessageStaysOneEntry) {
    AgentLog log(kInstall);
    log.log("0040953-000=6362970000001234;940-000=100;\r\n[EVIL]\nx=y");
    log.log("Trilha ;6362970000001234=4912101000000?");
    std::string content = root_.readFile("C/Vantrix/LOG/" + logFiles().at(0)).value_or("");
    EXPECT_EQ(content.find("6362970000001234"), std::string::npos) << content;
    EXPECT_NE(content.find("953-000=636297******1234;940-000=100;  [EVIL] x=y"), std::string::npos)
        << content;
    auto doc = platform::loadIni(log.fileName());
    ASSERT_EQ(doc->sections().size(), 1u);
    EXPECT_EQ(doc->sections()[0].entries.size(), 2u);
}

TEST_F(AgentLogTest, TheLogIsTheInstallationUsersOnlyWhateverTheUmask) {
    AgentLog log(kInstall);
    {
        test::ScopedUmask wide(0);
        log.log("Login Adm OPA");
    }
    EXPECT_EQ(test::permissionsOf(log.fileName()), 0600);
}

TEST_F(AgentLogTest, NothingIsWrittenWhileTheLogFolderIsMissing) {
    fs::remove_all(root_.native("C/Vantrix/LOG"));
    AgentLog log(kInstall);
    log.log("perdida");
    EXPECT_FALSE(fs::exists(root_.native("C/Vantrix/LOG")));
    fs::create_directories(root_.native("C/Vantrix/log"));  // found without regard to case
    log.log("escrita");
    auto lines = entries(log.fileName());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("|escrita"), std::string::npos);
}

TEST_F(AgentLogTest, NewFileTakesANewNameAndReadsTheSettingAgain) {
    AgentLog log(kInstall);
    log.log("primeiro");
    std::string first = log.fileName();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    log.startNewFile();
    log.log("segundo");
    EXPECT_NE(log.fileName(), first);
    EXPECT_EQ(entries(first).size(), 1u);
    EXPECT_EQ(entries(log.fileName()).size(), 1u);

    setLogEnable("N");
    log.startNewFile();
    EXPECT_FALSE(log.enabled());
    log.log("nada");
    EXPECT_EQ(logFiles().size(), 2u);
}

TEST_F(AgentLogTest, ThreadsNeverShareAKey) {
    AgentLog log(kInstall);
    constexpr int kThreads = 6;
    constexpr int kEach = 40;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&log, t] {
            for (int i = 0; i < kEach; ++i) log.logf("Send --> thread %d message %d", t, i);
        });
    }
    for (auto& th : threads) th.join();

    auto lines = entries(log.fileName());
    ASSERT_EQ(lines.size(), static_cast<size_t>(kThreads * kEach));
    std::set<std::string> keys;
    std::string previous;
    for (const std::string& line : lines) {
        std::string key = line.substr(0, line.find('='));
        ASSERT_EQ(key.size(), 12u) << line;
        EXPECT_GT(key, previous);  // in key order, never twice
        keys.insert(key);
        previous = key;
    }
    EXPECT_EQ(keys.size(), lines.size());
}

}  // namespace
}  // namespace vtx::linkagent
