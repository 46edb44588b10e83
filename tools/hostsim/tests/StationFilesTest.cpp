// The report and batch files the simulator keeps in a station's folder
// (--station-dir), read back with the station's own loader (CarregaGrid)
// after a sale, its confirmation, a partial cancellation and a reversal:
// the grids show what the host authorised, with the right checksums in the
// names, masked cards and private file modes. Also the check value, the
// folder's replacement of files and the batch numbering on their own.
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <QString>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "FileCheckSum.h"
#include "LedgerBook.h"
#include "ReportFiles.h"
#include "StationFolder.h"
#include "TestRoot.h"
#include "TransactionFixture.h"
#include "core/ClientSession.h"
#include "core/GridModel.h"
#include "core/testing/ChecksummedName.h"
#include "core/testing/ScriptedDialogs.h"
#include "messaging/CarregaGrid.h"
#include "messaging/GridLoaders.h"
#include "messaging/ReportFiles.h"

namespace vtx::hostsim::test {
namespace {

namespace fs = std::filesystem;
using client::ReportFileKind;
using ::testing::HasSubstr;
using ::testing::Not;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class StationFilesTest : public TransactionFixture {
protected:
    StationFilesTest() {
        fs::create_directories(root_.native("C/VANTRIX"));
        stationFolder_ = root_.native("C/VANTRIX");
        administrator_ = "DEMO0001";
        session_.settings.PathServer = QStringLiteral("C:\\VANTRIX");
        session_.settings.TipoLog = QStringLiteral("M");
    }

    std::string open(const std::string& card, const std::string& proc) {
        StationAnswer opened = send(eligibility(card, proc));
        return nsuOf(opened);
    }

    // Loads the report into grid_ as the station's screens do, for
    // establishment type `tipo`.
    bool load(ReportFileKind kind, int tipo, const std::string& numero = "") {
        dialogs_.clear();
        grid_ = client::GridModel();
        const QString pattern = client::reportFilePattern(kind, tipo, QStringLiteral("DEMO0001"),
                                                          QString::fromStdString(numero));
        return client::CarregaGrid(pattern, grid_, subtitle_, session_);
    }
    std::string cell(int row, int col) const { return grid_.text(row, col).toStdString(); }

    std::vector<fs::path> files() const {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(stationFolder_))
            found.push_back(entry.path());
        return found;
    }

    vtx::test::TempRoot root_;
    client::testing::ScriptedDialogs dialogs_;
    client::testing::UnreachableCommLibrary comm_;
    client::ClientSession session_{dialogs_, comm_};
    client::GridModel grid_;
    QString subtitle_;
};

TEST_P(StationFilesTest, SaleConfirmationAndPartialCancellationShowInEveryReport) {
    const std::string sale = open(cardNumber(6), "800500");
    StationAnswer sold =
        send(batch(true, sale, {{productCode(1), 3}, {kLimited, 5}, {kRefused, 1}}, false));
    ASSERT_EQ(sold["009-000"], "00");
    ASSERT_EQ(send(common("0202", "800300", sale))["009-000"], "00");
    StationAnswer cancelled = send(cancellation(sale, {{productCode(1), 1}}));
    ASSERT_EQ(cancelled["009-000"], "00");
    const std::string cancel = nsuOf(cancelled);

    // Product 1: gross 10,01, net 9,01, collect 7,20; the limited one 20,00
    // throughout, two of five units authorised; the refused one not listed.
    for (int tipo = 1; tipo <= 3; ++tipo) {
        SCOPED_TRACE("type " + std::to_string(tipo));
        session_.settings.TipoEstab = static_cast<qint16>(tipo);

        ASSERT_TRUE(load(ReportFileKind::TransacoesLote, tipo, "1"))
            << dialogs_.texts().join(" | ").toStdString();
        ASSERT_EQ(grid_.maxRows(), 2);
        EXPECT_EQ(cell(1, 1), "BE");
        EXPECT_EQ(cell(1, 2), sale);
        EXPECT_EQ(cell(1, 4), "601200******0006");
        EXPECT_EQ(cell(1, 5), "PARCIAL");
        EXPECT_EQ(cell(1, 6).substr(0, 2), "BE");
        EXPECT_EQ(cell(1, 10), "67,03");  // 3 x 9,01 + 2 x 20,00
        EXPECT_EQ(cell(1, 11), "5,43");   // 3 x (9,01 - 7,20)
        EXPECT_EQ(cell(2, 2), cancel);
        EXPECT_EQ(cell(2, 5), "CANC.");
        EXPECT_EQ(cell(2, 12), "9,01");
        EXPECT_EQ(cell(2, 13), "1,81");

        ASSERT_TRUE(load(ReportFileKind::ProdutosTransacao, tipo, sale));
        ASSERT_EQ(grid_.maxRows(), 2);
        EXPECT_EQ(cell(1, 5), productCode(1));
        EXPECT_EQ(cell(1, 10), "3");
        EXPECT_EQ(cell(1, 11), "2");
        EXPECT_EQ(cell(1, 12), "10,01");
        EXPECT_EQ(cell(1, 13), "9,01");
        EXPECT_EQ(cell(2, 5), kLimited);
        EXPECT_EQ(cell(2, 10), "2");
        // The item cancellation reads the selected row as it stands.
        grid_.setRowSelected(1, true);
        session_.produtos = {};
        ASSERT_TRUE(client::CancelaItem_Grid(session_, grid_));
        EXPECT_EQ(session_.produtos.codigo.value(0).toStdString(), "7891000000001");
        EXPECT_EQ(session_.produtos.quantidade.value(0).toStdString(), "3");
        EXPECT_EQ(session_.produtos.descricao.value(0).toStdString(), "PRODUTO 01");

        ASSERT_TRUE(load(ReportFileKind::ResumoVendas, tipo));
        ASSERT_EQ(grid_.maxRows(), 1);
        EXPECT_EQ(cell(1, 1), "2");
        EXPECT_EQ(cell(1, 3), "000001");
        EXPECT_EQ(cell(1, 4), "ABERTO");
        EXPECT_EQ(cell(1, 5), "60,02");  // what is left: 2 x 10,01 + 2 x 20,00
        EXPECT_EQ(cell(1, 6), "58,02");
        EXPECT_EQ(cell(1, 7), "54,40");

        ASSERT_TRUE(load(ReportFileKind::ResumoFinanceiro, tipo));
        EXPECT_EQ(cell(1, 3), "3,62");
        EXPECT_EQ(cell(1, 4), "0,11");
        EXPECT_EQ(cell(1, 5), "3,51");

        ASSERT_TRUE(load(ReportFileKind::ProdutosLote, tipo, "1"));
        EXPECT_EQ(grid_.maxRows(), 2);

        ASSERT_TRUE(load(ReportFileKind::TransacoesPendentes, tipo));
        ASSERT_EQ(grid_.maxRows(), 1);
        EXPECT_EQ(cell(1, 1), "BE");
        EXPECT_EQ(cell(1, 2), cancel);
        EXPECT_EQ(cell(1, 4), "CANC.");
        EXPECT_EQ(cell(1, 5), "9,01");
        EXPECT_EQ(cell(0, 8), "NSU Original");
        EXPECT_EQ(cell(1, 8), sale);  // the sale the cancellation cancelled
    }

    // Confirming the cancellation leaves nothing pending; the older pending
    // file is gone, not left beside the new one.
    ASSERT_EQ(send(common("0202", "800400", cancel))["009-000"], "00");
    EXPECT_FALSE(load(ReportFileKind::TransacoesPendentes, 1));
    EXPECT_EQ(dialogs_.texts().join(" | ").toStdString(),
              "Não existem registros a serem exibidos!");
    size_t pendingFiles = 0;
    for (const fs::path& path : files()) {
        const std::string name = path.filename().string();
        if (name.starts_with("TP")) ++pendingFiles;
        SCOPED_TRACE(name);
        EXPECT_FALSE(name.starts_with("."));  // no temporary file left
        const std::string content = contentOf(path);
        EXPECT_EQ(name, client::testing::checksummedName(name.substr(0, name.size() - 2), content));
        EXPECT_THAT(content, Not(HasSubstr(cardNumber(6))));
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
    }
    EXPECT_EQ(pendingFiles, 1u);
}

// Column 8 of the pending transactions: the pre-authorisation a sale read
// back, 0 for a sale without one.
TEST_P(StationFilesTest, PendingTransactionsNameTheTransactionTheyReferTo) {
    const std::string pre = open(cardNumber(8), "800000");
    ASSERT_EQ(send(batch(false, pre, {{productCode(3), 1}}, false))["009-000"], "00");
    ASSERT_EQ(send(common("0202", "800200", pre))["009-000"], "00");
    const std::string readBack = open(cardNumber(8), "800500");
    ASSERT_EQ(send(batch(true, readBack, {{productCode(3), 1}}, false))["009-000"], "00");
    const std::string plain = open(cardNumber(9), "800500");
    ASSERT_EQ(send(batch(true, plain, {{productCode(4), 1}}, false))["009-000"], "00");

    ASSERT_TRUE(load(ReportFileKind::TransacoesPendentes, 1));
    ASSERT_EQ(grid_.maxRows(), 2);
    std::map<std::string, std::string> referred;
    for (int row = 1; row <= 2; ++row) referred[cell(row, 2)] = cell(row, 8);
    EXPECT_EQ(referred[readBack], pre);
    EXPECT_EQ(referred[plain], "0");
}

TEST_P(StationFilesTest, AReversedSaleLeavesTheReportsAndLosesItsProductFile) {
    const std::string sale = open(cardNumber(7), "800500");
    ASSERT_EQ(send(batch(true, sale, {{productCode(2), 1}}, false))["009-000"], "00");
    ASSERT_TRUE(load(ReportFileKind::ProdutosTransacao, 1, sale));
    ASSERT_TRUE(load(ReportFileKind::TransacoesPendentes, 1));

    ASSERT_EQ(send(common("0420", "800300", sale))["009-000"], "00");
    EXPECT_FALSE(load(ReportFileKind::ProdutosTransacao, 1, sale));
    EXPECT_THAT(dialogs_.texts().join(" | ").toStdString(), HasSubstr("não foi encontrado"));
    EXPECT_FALSE(load(ReportFileKind::TransacoesLote, 1, "1"));  // heading only
    EXPECT_EQ(grid_.maxCols(), 13);
    EXPECT_FALSE(load(ReportFileKind::TransacoesPendentes, 1));
}

TEST_P(StationFilesTest, SalesFromManyTillsAtOnceAllShowAndEachReportHasOneFile) {
    constexpr int kTills = 8;
    constexpr int kSalesEach = 4;
    std::vector<std::thread> tills;
    std::atomic<int> accepted{0};
    for (int till = 0; till < kTills; ++till) {
        tills.emplace_back([&, till] {
            for (int i = 0; i < kSalesEach; ++i) {
                const std::string sale = open(cardNumber(1 + till), "800500");
                StationAnswer sold = send(batch(true, sale, {{productCode(1 + i), 1}}, false));
                if (sold["009-000"] == "00") ++accepted;
            }
        });
    }
    for (std::thread& t : tills) t.join();
    ASSERT_EQ(accepted.load(), kTills * kSalesEach);
    ASSERT_TRUE(load(ReportFileKind::TransacoesLote, 1, "1"));
    EXPECT_EQ(grid_.maxRows(), kTills * kSalesEach);
    ASSERT_TRUE(load(ReportFileKind::TransacoesPendentes, 1));
    EXPECT_EQ(grid_.maxRows(), kTills * kSalesEach);
    ASSERT_TRUE(load(ReportFileKind::ResumoVendas, 1));
    EXPECT_EQ(cell(1, 1), std::to_string(kTills * kSalesEach));
    std::map<std::string, int> perReport;
    for (const fs::path& path : files()) {
        const std::string name = path.filename().string();
        ++perReport[name.substr(0, name.size() - 2)];
    }
    for (const auto& [stem, count] : perReport) EXPECT_EQ(count, 1) << stem;
}

INSTANTIATE_TEST_SUITE_P(BothForms, StationFilesTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& testInfo) {
                             return testInfo.param ? "Iso" : "Text";
                         });

TEST(FileCheckSumTest, WeightsRunAcrossLinesAndLineEndsDoNotCount) {
    EXPECT_EQ(fileCheckValue(""), "00");
    EXPECT_EQ(fileCheckValue("A"), "41");
    EXPECT_EQ(fileCheckValue("A\r\nB\r\n"), "C5");  // 65 + 66 x 2 = 197
    EXPECT_EQ(fileCheckValue("AB"), fileCheckValue("A\nB"));
    // Every 255th character weighs nothing.
    EXPECT_EQ(fileCheckValue(std::string(254, '\0') + "Z"), "00");
    // The summing stops before the sum would leave 32 bits.
    const std::string big(200000, '\xFF');
    EXPECT_EQ(fileCheckValue(big), fileCheckValue(big + "more"));
    for (const std::string& text : {std::string("000,TX,\r\n001,AQtd,\r\n"), big.substr(0, 5000)})
        EXPECT_EQ("F.S" + fileCheckValue(text), client::testing::checksummedName("F.S", text));
}

TEST(StationFolderTest, ReplacesAReportWholeAndRemovesItsOlderNames) {
    vtx::test::TempRoot root;
    const std::string folder = root.native("station");
    fs::create_directories(folder);
    root.writeFile("station/SSADM.S00", "stale");
    root.writeFile("station/ssadm.s01", "stale, other case");
    root.writeFile("station/SSADM-000001.S00", "another report");
    StationFolder station(folder);
    std::string error;
    const ReportFile first{"SSADM", "000,TA,\r\n", false};
    ASSERT_TRUE(station.write({first}, error)) << error;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"SSADM-000001.S00", StationFolder::fileName(first)}));
    EXPECT_EQ(contentOf(folder + "/" + StationFolder::fileName(first)), first.content);

    // The same content again is left in place; a file that went is written.
    struct stat before {};
    ASSERT_EQ(::stat((folder + "/" + StationFolder::fileName(first)).c_str(), &before), 0);
    ASSERT_TRUE(station.write({first}, error));
    struct stat after {};
    ASSERT_EQ(::stat((folder + "/" + StationFolder::fileName(first)).c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    fs::remove(folder + "/" + StationFolder::fileName(first));
    ASSERT_TRUE(station.write({first}, error));
    EXPECT_TRUE(fs::exists(folder + "/" + StationFolder::fileName(first)));

    ASSERT_TRUE(station.write({{"SSADM", "000,TB,\r\n", false}}, error));
    EXPECT_FALSE(fs::exists(folder + "/" + StationFolder::fileName(first)));
    ASSERT_TRUE(station.write({{"SSADM", "", true}}, error));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    StationFolder missing(root.native("nowhere"));
    EXPECT_FALSE(missing.write({first}, error));
    EXPECT_THAT(error, HasSubstr("nowhere"));
}

TEST(ReportFilesTest, TextsLoseCommasAndAnUnsafeCodeGivesNoFiles) {
    LedgerBook book(100);
    const TransactionOrigin shop{"12,34", "ADM1"};
    Transaction& sale = book.add(7, TransactionKind::kSale, "6012345678901234", shop);
    sale.state = TransactionState::kPending;
    ProductItem item;
    item.code = "789";
    item.description = "XAROPE, 100ML";
    item.type = "1";
    item.quantity = 1;
    sale.items.push_back({item});
    const std::vector<ReportFile> files = stationReports(book, shop, {{1}, {7}});
    ASSERT_FALSE(files.empty());
    bool sawProduct = false;
    for (const ReportFile& file : files) {
        SCOPED_TRACE(file.stem);
        EXPECT_THAT(file.content, Not(HasSubstr("6012345678901234")));
        EXPECT_THAT(file.content, Not(HasSubstr("12,34")));
        if (file.stem == "PTADM1-000000000007") {
            sawProduct = true;
            EXPECT_THAT(file.content, HasSubstr(",AXAROPE  100ML,"));
        }
    }
    EXPECT_TRUE(sawProduct);
    for (const char* code : {"", "ADMINISTRA", "../x", "A B"}) {
        const TransactionOrigin odd{"1", code};
        book.add(8, TransactionKind::kSale, "6012", odd).state = TransactionState::kPending;
        EXPECT_TRUE(stationReports(book, odd, {{1}, {8}}).empty()) << code;
    }
}

TEST(BatchNumberingTest, EachOriginHasItsOwnBatchesThatCloseWhenFull) {
    LedgerBook book(100, 2);
    const TransactionOrigin shop{"000000000012345", "ADM1"};
    const TransactionOrigin other{"000000000099999", "ADM1"};
    EXPECT_EQ(book.add(1, TransactionKind::kSale, "6012", shop).batch, 1);
    EXPECT_EQ(book.add(2, TransactionKind::kSale, "6012", other).batch, 1);
    EXPECT_FALSE(book.batchClosed(shop, 1));
    EXPECT_EQ(book.add(3, TransactionKind::kSale, "6012", shop).batch, 1);
    EXPECT_TRUE(book.batchClosed(shop, 1));  // full at once
    EXPECT_EQ(book.add(4, TransactionKind::kSale, "6012", shop).batch, 2);
    EXPECT_FALSE(book.batchClosed(other, 1));
    EXPECT_EQ(book.transactionsOf(shop).size(), 3u);

    LedgerBook never(100, 0);
    for (long nsu = 1; nsu <= 50; ++nsu)
        EXPECT_EQ(never.add(nsu, TransactionKind::kSale, "6012", shop).batch, 1);
}

}  // namespace
}  // namespace vtx::hostsim::test
