// The terminal logon the host answers: tables cut into pieces, the 0810
// answers byte for byte, the fault switches, and mistakes in the data
// folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "HostSimProcess.h"
#include "LogonTables.h"
#include "Responder.h"
#include "TempFolder.h"
#include "TransactionDesk.h"

namespace vtx::hostsim::test {
namespace {

// A logon request (message only) with bit 48 as given.
std::string logonRequest(const std::string& bit48) {
    return "08002000000001410000388000003"
           "12345          "
           "026" +
           bit48;
}

const std::string kPrefix = "0810200000000301000";

TEST(LogonTablesTest, CutsWholeRecordsByCountAndSize) {
    std::vector<TablePiece> pieces;
    std::string error;
    ASSERT_TRUE(LogonTables::cut("UP.S07", "A\r\nB\nC", 2, pieces, error)) << error;
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].data, "A!B!");
    EXPECT_EQ(pieces[1].data, "C!");
    EXPECT_EQ(pieces[1].records, 1u);

    pieces.clear();
    const std::string line(600, 'x');
    ASSERT_TRUE(LogonTables::cut("BIG", line + "\n" + line + "\n", 20, pieces, error));
    EXPECT_EQ(pieces.size(), 2u);

    pieces.clear();
    ASSERT_TRUE(LogonTables::cut("EMPTY.TXT", "", 20, pieces, error));
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].data, "");

    EXPECT_FALSE(LogonTables::cut("X", "ok\nno!\n", 20, pieces, error));
    EXPECT_NE(error.find("X line 2"), std::string::npos) << error;
    EXPECT_FALSE(LogonTables::cut("X", std::string(999, 'y'), 20, pieces, error));
}

TEST(LogonTablesTest, SettingsNameAnOperatorWithTablesAndKnownKeys) {
    LogonTables tables;
    tables.add("OPA", OperatorTables{});
    std::string error;
    ASSERT_TRUE(tables.applySettings(
        "[opa]\nBatch=77\nVersion=5\nRecords=3\nFault=Invalid\nFaultAt=2\n", error))
        << error;
    const OperatorTables* opa = tables.find("OPA");
    EXPECT_EQ(opa->batch, "0000000077");
    EXPECT_EQ(opa->version, "000005");
    EXPECT_EQ(opa->recordsPerPiece, 3);
    EXPECT_EQ(opa->fault, LogonFault::kInvalid);
    EXPECT_EQ(opa->faultAt, 2);

    const std::pair<std::string, std::string> cases[] = {
        {"[OPX]\nBatch=1\n", "[OPX]: no folder tables/OPX"},
        {"[OPA]\nBatch=12345678901\n", "key Batch"},
        {"[OPA]\nVersion=x\n", "key Version"},
        {"[OPA]\nRecords=0\n", "key Records"},
        {"[OPA]\nFault=sometimes\n", "key Fault"},
        {"[OPA]\nColour=red\n", "unknown key"},
        {"[OPA]\nBatch=1\nbatch=2\n", "more than once"},
    };
    for (const auto& [content, mention] : cases) {
        SCOPED_TRACE(content);
        EXPECT_FALSE(tables.applySettings(content, error));
        EXPECT_NE(error.find(mention), std::string::npos) << error;
    }
}

class LogonRuleTest : public ::testing::Test {
protected:
    // A responder for port [OPA] whose operator has UP.S07 in two pieces.
    Responder responder(LogonFault fault = LogonFault::kNone, long faultAt = 1) {
        HostData data;
        OperatorTables tables;
        tables.batch = "0000000077";
        tables.version = "000005";
        tables.fault = fault;
        tables.faultAt = faultAt;
        std::string error;
        EXPECT_TRUE(LogonTables::cut("UP.S07", "R1\nR2\nR3\n", 2, tables.pieces, error));
        data.logon.add("OPA", std::move(tables));
        desk_ = std::make_unique<TransactionDesk>(std::move(data));
        PortConfig config;
        config.section = "OPA";
        return Responder::forPort(config, nsu_, desk_.get());
    }

    NsuCounter nsu_;
    std::unique_ptr<TransactionDesk> desk_;
};

TEST_F(LogonRuleTest, AnswersPieceByPieceThenClosesAndOnlyWhatIsNewer) {
    Responder r = responder();
    EXPECT_EQ(r.answer(logonRequest(std::string(26, '0'))), kPrefix +
                                                                "6"
                                                                "388000"
                                                                "00"
                                                                "003"
                                                                "026"
                                                                "0000000077"
                                                                "000005"
                                                                "0000000001"
                                                                "006UP.S07"
                                                                "006R1!R2!");
    EXPECT_EQ(r.answer(logonRequest("0000000077"
                                    "000005"
                                    "0000000001")),
              kPrefix +
                  "6"
                  "388000"
                  "00"
                  "003"
                  "026"
                  "0000000077"
                  "000005"
                  "0000000002"
                  "006UP.S07"
                  "003R3!");
    const std::string closing = kPrefix +
                                "4"
                                "388000"
                                "00"
                                "003"
                                "026"
                                "0000000077"
                                "000005"
                                "0000000000"
                                "000";
    EXPECT_EQ(r.answer(logonRequest("0000000077"
                                    "000005"
                                    "0000000002")),
              closing);
    // The station already holds this batch and version: nothing newer.
    EXPECT_EQ(r.answer(logonRequest("0000000077"
                                    "000005"
                                    "0000000000")),
              closing);
    // Another version asks for everything again.
    EXPECT_NE(r.answer(logonRequest("0000000077"
                                    "000004"
                                    "0000000000")),
              closing);
}

TEST_F(LogonRuleTest, FaultsReplaceTheChosenAnswerOnly) {
    Responder invalid = responder(LogonFault::kInvalid, 2);
    EXPECT_TRUE(invalid.answer(logonRequest(std::string(26, '0')))->starts_with(kPrefix + "6"));
    EXPECT_EQ(invalid.answer(logonRequest("0000000077"
                                          "000005"
                                          "0000000001")),
              "0810"
              "2000000003000000"
              "388000"
              "96"
              "003");

    Responder fail = responder(LogonFault::kFail, 2);
    EXPECT_FALSE(fail.silence(logonRequest(std::string(26, '0'))));
    EXPECT_TRUE(
        fail.silence(logonRequest("0000000077"
                                  "000005"
                                  "0000000001")));
    EXPECT_FALSE(fail.silence("000-000=0800;"));

    // A bit 48 that cannot be read is refused with 30.
    Responder plain = responder();
    EXPECT_EQ(plain.answer(logonRequest("0000000077"
                                        "000005"
                                        "00000000x1")),
              "0810"
              "2000000003000000"
              "388000"
              "30"
              "003");
}

TEST(LogonProcessTest, PortsNamingOperatorsWithoutTablesStopTheProgram) {
    TempFolder folder;
    const std::string data = folder.path() + "/data";
    std::filesystem::create_directories(data + "/tables/OPA");
    std::ofstream(data + "/cards.ini") << "[601234]\n";
    std::ofstream(data + "/products.csv") << "1;A;B;1;100\n";
    HostSimPort till;
    till.section = "till";
    till.logonOperator = "OPB";

    HostSimProcess withoutData(folder.path(), std::vector<HostSimPort>{till});
    EXPECT_FALSE(withoutData.start());
    EXPECT_EQ(withoutData.exitCode(), 2);
    EXPECT_NE(withoutData.error().find("[till], key Operator: needs --data"), std::string::npos);

    HostSimProcess unknown(folder.path(), std::vector<HostSimPort>{till});
    unknown.setDataFolder(data);
    EXPECT_FALSE(unknown.start());
    EXPECT_NE(unknown.error().find("no folder tables/OPB"), std::string::npos) << unknown.error();

    std::ofstream(data + "/logon.ini") << "[OPA]\nRecords=many\n";
    till.logonOperator = "OPA";
    HostSimProcess badSettings(folder.path(), std::vector<HostSimPort>{till});
    badSettings.setDataFolder(data);
    EXPECT_FALSE(badSettings.start());
    EXPECT_NE(badSettings.error().find("logon.ini: section [OPA], key Records"), std::string::npos)
        << badSettings.error();
}

}  // namespace
}  // namespace vtx::hostsim::test
