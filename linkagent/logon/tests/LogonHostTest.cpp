// The terminal logon through the real communication library (Process_Server,
// ListAdm) against vtx-hostsim serving each operator's tables on its own
// port: a station receives its tables, asks next time only for what is
// newer, and a host that answers badly or drops the line stops only its
// own operator.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "HostSimProcess.h"
#include "LogonFakes.h"
#include "vtx/commlib/testing/Station.h"
#include "vtx/linkagent/logon/LogonRunner.h"
#include "vtx/platform/IniFile.h"
#include "vx32_cli.h"

namespace vtx::linkagent {
namespace {

using namespace std::chrono_literals;
using hostsim::HostSimPort;

const char* kTable = "TABELA DE TESTE";

class LogonHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        station_.setCore("CONFIG", "ESTAB_CODE", "000000000012345");
        const auto& root = station_.root();
        root.writeFile("hostsim/data/cards.ini", "[6012345678901234]\nName=TESTE\n");
        root.writeFile("hostsim/data/products.csv", "7891000100103;PRODUTO;FABRICANTE;1;100\n");
        root.writeFile("hostsim/data/tables/OPA/UP.S07", "SENHA1\r\nSENHA2\r\nSENHA3\r\n");
        root.writeFile("hostsim/data/tables/OPA/LT0001.S3A", "000,MNG1,SSSSSSSSS\n");
        root.writeFile("hostsim/data/tables/OPB/TABELA.TXT", std::string(kTable) + "\n");
    }

    // Starts the host with `logonIni`: OPA on section OPA, OPB on a section
    // that names its operator.
    void startHost(const std::string& logonIni) {
        station_.root().writeFile("hostsim/data/logon.ini", logonIni);
        for (int attempt = 0; attempt < 3; ++attempt) {
            HostSimPort a;
            a.section = "OPA";
            a.port = hostsim::freeFourDigitPort();
            HostSimPort b;
            b.section = "hostB";
            b.port = hostsim::freeFourDigitPort();
            b.logonOperator = "OPB";
            host_ = std::make_unique<hostsim::HostSimProcess>(station_.root().native("hostsim"),
                                                              std::vector<HostSimPort>{a, b});
            host_->setDataFolder(station_.root().native("hostsim/data"));
            if (host_->start()) break;
        }
        ASSERT_GT(host_->port("OPA"), 0) << host_->error();
        station_.writeRoutes({vtx::cli::test::Station::route("OPA", host_->port("OPA")),
                              vtx::cli::test::Station::route("OPB", host_->port("hostB"))});
    }

    void logOn() {
        LogonRunner runner(logger_, guard_, status_, Process_Server, ListAdm,
                           vtx::cli::test::Station::kPathServer);
        ASSERT_TRUE(runner.startLogon());
        ASSERT_TRUE(runner.waitFor(30s));
    }

    std::optional<std::string> file(const std::string& name) const {
        return station_.root().readFile("C/Vantrix/" + name);
    }
    std::string core(const std::string& key) const {
        return platform::iniGetString("C:\\Vantrix\\CORE.INI", "LOGON", key, "?");
    }

    vtx::cli::test::Station station_;
    std::unique_ptr<hostsim::HostSimProcess> host_;
    test::RecordingLogger logger_;
    test::RecordingStatus status_;
    test::FakeGuard guard_;
};

TEST_F(LogonHostTest, StationReceivesItsTablesAndLaterAsksOnlyForWhatIsNewer) {
    startHost("[OPA]\nBatch=77\nVersion=5\nRecords=2\n");
    station_.root().writeFile("C/Vantrix/UP.S01", "old generation");
    logOn();

    EXPECT_EQ(file("UP.S07"), "SENHA1\r\nSENHA2\r\nSENHA3\r\n");
    EXPECT_FALSE(file("UP.S01"));
    EXPECT_EQ(file("LT0001.S3A"), "000,MNG1,SSSSSSSSS\r\n");
    EXPECT_EQ(file("TABELA.TXT"), std::string(kTable) + "\r\n");
    EXPECT_EQ(core("NLote_OPA"), "0000000077");
    EXPECT_EQ(core("VTabela_OPA"), "000005");
    EXPECT_EQ(core("NLote_OPB"), "0000000001");

    // LT0001.S3A, UP.S07 in two pieces (two records, one), the end.
    const auto first = host_->records("OPA");
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0].raw,
              "0073"
              "08002000000001410000388000003"
              "000000000012345"
              "026" +
                  std::string(26, '0'));
    EXPECT_EQ(first[3].message.substr(47), "00000000770000050000000003");

    logOn();
    const auto again = host_->records("OPA");
    ASSERT_EQ(again.size(), 5u);
    EXPECT_EQ(again[4].message.substr(47), "00000000770000050000000000");
    EXPECT_EQ(host_->records("hostB").size(), 3u);
    EXPECT_EQ(file("UP.S07"), "SENHA1\r\nSENHA2\r\nSENHA3\r\n");
    EXPECT_FALSE(file("TABELA.TXT.BKP"));
}

TEST_F(LogonHostTest, InvalidAnswerStopsThatOperatorOnly) {
    startHost("[OPA]\nRecords=2\nFault=invalid\nFaultAt=2\n");
    logOn();

    EXPECT_TRUE(logger_.has("Finalizando Login [OPA] - Mensagem Inv\xE1lida"));
    EXPECT_FALSE(file("LT0001.S3A"));
    EXPECT_EQ(file("_FILE$$$$$.TMP.OPA"), "000,MNG1,SSSSSSSSS\r\n");
    EXPECT_EQ(file("TABELA.TXT"), std::string(kTable) + "\r\n");
    EXPECT_EQ(host_->records("OPA").size(), 2u);
}

TEST_F(LogonHostTest, ALogonTheHostDropsKeepsTheStationAskingUntilItHasEveryTable) {
    // Answer 3 (the second piece of UP.S07) never comes, on every logon.
    startHost("[OPA]\nBatch=77\nVersion=5\nRecords=2\nFault=fail\nFaultAt=3\n");
    station_.root().writeFile("C/Vantrix/UP.S01", "old generation");
    logOn();
    EXPECT_TRUE(logger_.has("Finalizando Login [OPA] - Erro [-163]"));
    logOn();
    // Both logons asked from the start: the station holds none of the tables.
    const auto asked = host_->records("OPA");
    ASSERT_EQ(asked.size(), 6u);
    EXPECT_EQ(asked[3].message.substr(47), std::string(26, '0'));
    EXPECT_EQ(core("NLote_OPA"), "?");
    EXPECT_EQ(core("VTabela_OPA"), "?");
    EXPECT_FALSE(file("LT0001.S3A"));
    EXPECT_FALSE(file("UP.S07"));
    EXPECT_EQ(file("UP.S01"), "old generation");

    // Once the host answers whole, everything arrives.
    startHost("[OPA]\nBatch=77\nVersion=5\nRecords=2\n");
    logOn();
    EXPECT_EQ(file("UP.S07"), "SENHA1\r\nSENHA2\r\nSENHA3\r\n");
    EXPECT_EQ(file("LT0001.S3A"), "000,MNG1,SSSSSSSSS\r\n");
    EXPECT_FALSE(file("UP.S01"));
    EXPECT_EQ(core("NLote_OPA"), "0000000077");
    EXPECT_EQ(core("VTabela_OPA"), "000005");
}

TEST_F(LogonHostTest, HostDroppingTheLineInTheMiddleIsAnErrorOfThatOperator) {
    startHost("[OPB]\nFault=fail\nFaultAt=2\n");
    logOn();

    EXPECT_TRUE(logger_.has("Finalizando Login [OPB] - Erro [-163]"));
    EXPECT_FALSE(file("TABELA.TXT"));
    EXPECT_EQ(core("NLote_OPB"), "?");
    EXPECT_EQ(file("UP.S07"), "SENHA1\r\nSENHA2\r\nSENHA3\r\n");
    bool noted = false;
    for (const std::string& line : host_->logLines())
        noted = noted || line.starts_with("hostB FAULT logon fail: operator=OPB answer 2");
    EXPECT_TRUE(noted);
}

}  // namespace
}  // namespace vtx::linkagent
