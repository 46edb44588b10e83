// The point-of-sale export file, compared byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <filesystem>
#include <string>

#include "ScopedUmask.h"
#include "TestRoot.h"
#include "export/GerarArquivo.h"

namespace vtx::client {
namespace {

std::string blanks(int n) {
    return std::string(static_cast<size_t>(n), ' ');
}

class GerarArquivoTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(root_.native("C/Vantrix/Export")); }

    static ExportSale onePresale() {
        ExportSale sale;
        sale.productCount = 1;
        sale.codes = {"7891000100103"};
        sale.quantities = {"2"};
        sale.grossPrices = {"10,00"};
        sale.netPrices = {"8,00"};
        sale.nsu = "000123456789";
        sale.identification1 = "12345678901";
        sale.now = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 59));
        return sale;
    }

    std::string written() const {
        return root_.readFile("C/Vantrix/Export/123456789.TRC").value_or("<missing>");
    }

    const QString path_ = QStringLiteral("C:\\Vantrix\\Export\\123456789.TRC");
    test::TempRoot root_;
};

std::string lines(std::initializer_list<std::string> records) {
    std::string out;
    for (const std::string& r : records) out += r + "\r\n";
    return out;
}

TEST_F(GerarArquivoTest, WritesTheRecordsOfAPresale) {
    EXPECT_EQ(exportFileName("C:\\Vantrix\\Export\\", "000123456789"), path_);
    const ExportResult result = GerarArquivo(path_, onePresale());
    ASSERT_TRUE(result.ok) << result.message.toStdString();

    const std::string r1 =
        "R1000000-000000X"
        "05/03/24"
        "00"
        "1407"
        "00000000000000000000000004" +
        blanks(2);
    const std::string r2 =
        "R211100N0"
        "0001"
        "00002"
        "0000010,00"
        "0000002,00"
        "0000000,00"
        "0000008,00";
    const std::string r3 =
        "R30000000,00"
        "0000008,00"
        "0000000,00"
        "0000008,00" +
        blanks(16);
    const std::string r4 = "R4" + blanks(24) + "23456789" + blanks(8) + "23456789" + blanks(8);
    const std::string r5 =
        "R5X000000-000000X000000-000000000000000"
        " "
        "000000000000000,00";
    const std::string r6 = "R60000000,00" + blanks(40) + "000000";
    const std::string r7 = "R7" + blanks(46) + "0000000,00";
    const std::string r8 =
        "R8"
        "12345678901" +
        blanks(21) + "00" + blanks(22);
    const std::string r9 = "R9" + blanks(32) + "00" + blanks(22);
    const std::string ra =
        "RA00000"
        "0002"
        "0000010,00"
        "0000002,00"
        "0000008,00"
        "0000016,00"
        "A????000000"
        "7891000100103" +
        blanks(3);
    const std::string rb =
        "RB0000000000000XXX00000000X0000000000/00/00000000"
        "7891000100103" +
        blanks(16);
    for (const std::string& r : {r1, r2, r3, r4, r5, r6, r7, r8, r9}) ASSERT_EQ(r.size(), 58u) << r;
    ASSERT_EQ(ra.size(), 78u);
    ASSERT_EQ(rb.size(), 78u);

    EXPECT_EQ(written(), lines({r1, r2, r3, r4, r5, r6, r7, r8, r9, ra, rb}));
}

TEST_F(GerarArquivoTest, TwoProductsWithAnotherDecimalSeparator) {
    ExportSale sale = onePresale();
    sale.productCount = 2;
    sale.codes = {"123", "0000000000456"};
    sale.quantities = {"3", "1.00"};
    sale.grossPrices = {"3.50", "12.5"};
    sale.netPrices = {"3.33", "12.50"};
    sale.nsu = "4711";
    const ExportResult result = GerarArquivo(path_, sale, ExportFormat{u'.', u'-'});
    ASSERT_TRUE(result.ok) << result.message.toStdString();

    const std::string text = root_.readFile("C/Vantrix/Export/123456789.TRC").value_or("");
    // The literal zero amounts keep their comma.
    EXPECT_NE(text.find("R1000000-000000X05-03-24001407"), std::string::npos);
    EXPECT_NE(text.find("R211100N0000200004"
                        "0000016.00"
                        "0000000.17"
                        "0000000,00"
                        "0000015.83"),
              std::string::npos);
    EXPECT_NE(text.find("R4" + blanks(24) + "4711" + blanks(12) + "4711" + blanks(12) + "\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("RA000000003"
                        "0000003.50"
                        "0000000.17"
                        "0000003.33"
                        "0000009.99"
                        "A????000000"
                        "0000000000123"),
              std::string::npos);
    EXPECT_NE(text.find("RA000000001"
                        "0000012.50"
                        "0000000.00"
                        "0000012.50"
                        "0000012.50"
                        "A????000000"
                        "0000000000456"),
              std::string::npos);
    EXPECT_EQ(text.size(), 9u * 60 + 4u * 80);
}

TEST_F(GerarArquivoTest, IdentificationIsCutTo32AndWrittenInWindows1252) {
    ExportSale sale = onePresale();
    sale.identification1 = QString::fromUtf8("JOSÉ ") + QString(40, 'X');
    sale.identification2 = "ABC";
    ASSERT_TRUE(GerarArquivo(path_, sale).ok);
    const std::string text = written();
    EXPECT_NE(text.find("\r\nR8JOS\xC9 " + std::string(27, 'X') + "00" + blanks(22) + "\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nR9ABC" + blanks(29) + "00" + blanks(22) + "\r\n"), std::string::npos);
}

TEST_F(GerarArquivoTest, ReplacesAnExistingFileWhole) {
    root_.writeFile("C/Vantrix/Export/123456789.TRC", std::string(5000, 'Z'));
    ASSERT_TRUE(GerarArquivo(path_, onePresale()).ok);
    const std::string text = written();
    EXPECT_EQ(text.size(), 9u * 60 + 2u * 80);
    EXPECT_EQ(text.find('Z'), std::string::npos);
    EXPECT_EQ(QDir(QString::fromStdString(root_.native("C/Vantrix/Export")))
                  .entryList(QDir::Files | QDir::Hidden),
              QStringList{"123456789.TRC"});
}

// The file is for the shop's point-of-sale program: its user and group may
// read it, nobody else, whatever the umask.
TEST_F(GerarArquivoTest, TheFileIsNeverReadableByOtherUsers) {
    test::ScopedUmask wide(0);
    ASSERT_TRUE(GerarArquivo(path_, onePresale()).ok);
    const std::string file = root_.native("C/Vantrix/Export/123456789.TRC");
    EXPECT_EQ(test::permissionsOf(file), 0640);
    ::chmod(file.c_str(), 0666);
    ASSERT_TRUE(GerarArquivo(path_, onePresale()).ok);
    EXPECT_EQ(test::permissionsOf(file), 0640);
}

TEST_F(GerarArquivoTest, FailuresWriteNothingAndLeaveTheOldFile) {
    const std::string old = "OLD CONTENT\r\n";
    root_.writeFile("C/Vantrix/Export/123456789.TRC", old);
    const auto failure = [this](ExportSale sale) {
        const ExportResult result = GerarArquivo(path_, sale);
        EXPECT_FALSE(result.ok);
        return result.message.toStdString();
    };

    ExportSale notANumber = onePresale();
    notANumber.grossPrices = {"dez reais"};
    EXPECT_EQ(failure(notANumber), "Erro na função GerarArquivo : 13 - Type mismatch");

    ExportSale emptyNet = onePresale();
    emptyNet.netPrices = {""};
    EXPECT_EQ(failure(emptyNet), "Erro na função GerarArquivo : 13 - Type mismatch");

    ExportSale shortList = onePresale();
    shortList.codes << "123";
    EXPECT_EQ(failure(shortList), "Erro na função GerarArquivo : 9 - Subscript out of range");

    ExportSale tooLarge = onePresale();
    tooLarge.grossPrices = {"10000000,00"};
    EXPECT_EQ(failure(tooLarge), "Erro na função GerarArquivo : 6 - Overflow");

    EXPECT_EQ(written(), old);

    const ExportResult noFolder = GerarArquivo("C:\\Vantrix\\Missing\\1.TRC", onePresale());
    EXPECT_FALSE(noFolder.ok);
    EXPECT_EQ(noFolder.message.toStdString(), "Erro na função GerarArquivo : 76 - Path not found");
}

}  // namespace
}  // namespace vtx::client
