// `vtx sale` and `vtx presale` leave the point-of-sale export file as the
// sale screen does: against vtx-hostsim over loopback, in both message
// forms, the file FILEAUX\<NSU>.TRC is byte for byte what GerarArquivo
// writes for the products the host answered; without LayoutArquivo=1 or
// with a FILEAUX that is no folder there is none.
#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "CommandRun.h"
#include "DemoStation.h"
#include "HostSimProcess.h"
#include "export/GerarArquivo.h"
#include "vtx/commlib/testing/StationHost.h"

namespace {

namespace fs = std::filesystem;

const std::string kVtx = std::string(VTX_BIN_DIR) + "/vtx";
const char* kCard = "6012000000000001";  // no identification asked

using vtx::tool::test::Outcome;
const auto run = vtx::tool::test::runCommand;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class SaleExportTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        host_ = vtx::tool::test::startDemoStation(station_,
                                                  "7890000000017;2;12,50;10,00;11,25;1\n"
                                                  "7890000000147;5;8,50;0,00;8,50;1\n"
                                                  "7890000000062;1;13,80;0,00;13,80;1\n");
        fs::create_directories(exportFolder());
    }

    std::string exportFolder() const { return station_.root().native("C/Vantrix/AUX"); }

    void askForExport(const std::string& layout = "1",
                      const std::string& folder = "C:\\Vantrix\\Aux") {
        station_.setCore("Config", "FILEAUX", folder);
        station_.setCore("Config", "LayoutArquivo", layout);
    }

    Outcome vtx(const std::string& arguments) {
        return run(kVtx + " " + arguments + " --card " + kCard +
                   " --products 'C:\\Vantrix\\products.csv'" + (GetParam() ? " --iso" : ""));
    }

    std::vector<fs::path> exported() const {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(exportFolder()))
            found.push_back(entry.path());
        return found;
    }

    // What GerarArquivo writes for the sale the host answered, at the date
    // and time the file's R1 record carries.
    std::string expectedFile(const std::string& written, const QString& nsu, const QString& id1) {
        const QDate date = QDate::fromString(QString::fromStdString(written.substr(16, 8)),
                                             QStringLiteral("dd/MM/yy"))
                               .addYears(100);
        const QTime time = QTime::fromString(QString::fromStdString(written.substr(26, 4)),
                                             QStringLiteral("hhmm"));
        vtx::client::ExportSale sale;
        sale.productCount = 3;
        // The host's prices and quantities: the limited product gets two of
        // the five units asked.
        sale.codes = {QStringLiteral("7890000000017"), QStringLiteral("7890000000147"),
                      QStringLiteral("7890000000062")};
        sale.quantities = {QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("1")};
        sale.grossPrices = {QStringLiteral("12,50"), QStringLiteral("8,50"),
                            QStringLiteral("13,80")};
        sale.netPrices = {QStringLiteral("11,25"), QStringLiteral("8,50"), QStringLiteral("13,80")};
        sale.nsu = nsu;
        sale.identification1 = id1;
        sale.now = QDateTime(date, time);
        const std::string path = station_.root().native("expected.TRC");
        EXPECT_TRUE(vtx::client::GerarArquivo(QString::fromStdString(path), sale).ok);
        return contentOf(path);
    }

    vtx::cli::test::Station station_;
    std::unique_ptr<vtx::hostsim::HostSimProcess> host_;
};

TEST_P(SaleExportTest, AnAcceptedSaleLeavesTheFileTheSaleScreenWrites) {
    askForExport();
    Outcome sale = vtx("sale --document 123456 --id1 'ab c' --confirm");
    ASSERT_EQ(sale.status, 0) << sale.out;
    const std::vector<fs::path> files = exported();
    ASSERT_EQ(files.size(), 1u) << sale.out;
    const std::string name = files[0].filename().string();
    ASSERT_TRUE(name.ends_with(".TRC"));
    const QString nsu = QString::fromStdString(name.substr(0, name.size() - 4));
    EXPECT_NE(sale.out.find("export file: C:\\VANTRIX\\AUX\\" + name), std::string::npos)
        << sale.out;
    const std::string written = contentOf(files[0]);
    ASSERT_GT(written.size(), 30u);
    // The session holds the NSU as the answer carried it: six digits in the
    // text form, twelve (bit 37) in the ISO form; R4 has its last eight.
    const QString heldNsu = nsu.rightJustified(GetParam() ? 12 : 6, u'0');
    EXPECT_EQ(written, expectedFile(written, heldNsu, QStringLiteral("AB C")));
    // The host's sale is the NSU of the file.
    EXPECT_NE(host_->transactionState(nsu.rightJustified(6, u'0').toStdString()).find("kind=sale"),
              std::string::npos);
}

TEST_P(SaleExportTest, NoFileUnlessTheStationAsksForIt) {
    askForExport("0");
    Outcome layoutZero = vtx("presale");
    EXPECT_EQ(layoutZero.status, 0) << layoutZero.out;
    EXPECT_TRUE(exported().empty());

    askForExport("1", "C:\\Vantrix\\NoSuchFolder");
    Outcome noFolder = vtx("presale");
    EXPECT_EQ(noFolder.status, 0) << noFolder.out;
    EXPECT_EQ(noFolder.out.find("export file"), std::string::npos) << noFolder.out;
    EXPECT_FALSE(fs::exists(station_.root().native("C/Vantrix/NoSuchFolder")));

    // A refused list leaves no file either.
    askForExport();
    Outcome refused =
        run(kVtx + " presale --card 6099999999999999 --products 'C:\\Vantrix\\products.csv'");
    EXPECT_NE(refused.status, 0);
    EXPECT_TRUE(exported().empty());
}

TEST_P(SaleExportTest, AnExportFileThatCannotBeWrittenIsReportedAndFailsTheCommand) {
    askForExport();
    // The host's first NSU is 1: a folder in the way of 1.TRC.
    fs::create_directories(exportFolder() + "/1.TRC");
    Outcome sale = vtx("sale --document 123456");
    EXPECT_EQ(sale.status, 1) << sale.out;
    EXPECT_NE(sale.out.find("[Atenção] Erro na função GerarArquivo : "), std::string::npos)
        << sale.out;
    EXPECT_EQ(sale.out.find("export file:"), std::string::npos) << sale.out;
}

INSTANTIATE_TEST_SUITE_P(BothForms, SaleExportTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& testInfo) {
                             return testInfo.param ? "Iso" : "Text";
                         });

}  // namespace
