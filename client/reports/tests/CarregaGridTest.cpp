#include "messaging/CarregaGrid.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/testing/ReportStation.h"
#include "core/testing/ScriptedDialogs.h"
#include "messaging/ReportFiles.h"

using namespace vtx::client;
using vtx::client::testing::writeCheckedReport;
using vtx::client::testing::writeReport;

namespace {

class NoComm : public CommLibrary {
public:
    std::optional<int> process(QString&, QString&, const QString&) override { return {}; }
    std::optional<Price> getPreco(const QString&, const QString&, const QString&,
                                  const Price&) override {
        return {};
    }
};

class CarregaGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        session_.settings.PathServer = QStringLiteral("C:\\VANTRIX");
        session_.settings.TipoLog = QStringLiteral("M");
    }
    bool load(const QString& pattern) { return CarregaGrid(pattern, grid_, subtitle_, session_); }
    std::string onlyMessage() const {
        EXPECT_EQ(dialogs_.messages().size(), 1u);
        return dialogs_.messages().empty() ? std::string()
                                           : dialogs_.messages()[0].request.text.toStdString();
    }

    vtx::test::TempRoot root_;
    vtx::client::testing::ScriptedDialogs dialogs_;
    NoComm comm_;
    ClientSession session_{dialogs_, comm_};
    GridModel grid_;
    QString subtitle_ = QStringLiteral("antes");
};

const QStringList kSales = {
    QStringLiteral("000,  TLotes de 01/03/24 a 07/03/24 ,"),
    QStringLiteral("001,ALote,A0,ADataHora,AData,AValor,AQtd,"),
    QStringLiteral("002,A  000123  ,AOCULTO,D010324143005,D010324,M12345,N0007,"),
    QStringLiteral("002,A000124,AOCULTO,D020324090000,D020324,M-50,N12,"),
};

}  // namespace

TEST_F(CarregaGridTest, ReadsHeadingRowSubtitleAndTypedCells) {
    writeCheckedReport(root_, QStringLiteral("SSDEMO0001"), kSales);
    ASSERT_TRUE(load(QStringLiteral("SSDEMO0001.S??")));
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(subtitle_, QStringLiteral("Lotes de 01/03/24 a 07/03/24"));
    ASSERT_EQ(grid_.maxCols(), 6);
    ASSERT_EQ(grid_.maxRows(), 2);
    EXPECT_EQ(grid_.headingText(1), QStringLiteral("Lote"));
    EXPECT_EQ(grid_.text(1, 1), QStringLiteral("000123"));
    EXPECT_EQ(grid_.text(1, 3), QStringLiteral("01/03/24 14:30:05"));
    EXPECT_EQ(grid_.text(1, 4), QStringLiteral("01/03/24"));
    EXPECT_EQ(grid_.text(1, 5), QStringLiteral("123,45"));
    EXPECT_EQ(grid_.text(2, 5), QStringLiteral("-0,50"));
    EXPECT_EQ(grid_.text(1, 6), QStringLiteral("7"));
    EXPECT_EQ(grid_.alignment(1), GridModel::Alignment::Left);
    EXPECT_EQ(grid_.alignment(3), GridModel::Alignment::Left);
    EXPECT_EQ(grid_.alignment(5), GridModel::Alignment::Right);
    EXPECT_EQ(grid_.alignment(6), GridModel::Alignment::Right);
    // A "0" heading hides the column; its cells are there all the same.
    EXPECT_TRUE(grid_.isColumnHidden(2));
    EXPECT_FALSE(grid_.isColumnHidden(1));
    EXPECT_EQ(grid_.text(2, 2), QStringLiteral("OCULTO"));
    // Widths follow the longest text of each column, heading included.
    EXPECT_EQ(grid_.columnWidth(3), 17);
    EXPECT_EQ(grid_.columnWidth(6), 3);
}

TEST_F(CarregaGridTest, UnknownTypesBlankLinesAndExtraCells) {
    writeCheckedReport(
        root_, QStringLiteral("FSDEMO0001"),
        {QStringLiteral("001,AA,AB,"), QStringLiteral(""), QStringLiteral("002,X1,A2,A3,A4,"),
         QStringLiteral("   "), QStringLiteral("002,A5,A6,")});
    ASSERT_TRUE(load(QStringLiteral("FSDEMO0001.S??")));
    ASSERT_EQ(grid_.maxCols(), 2) << "the heading row fixes the columns";
    ASSERT_EQ(grid_.maxRows(), 2) << "a row whose first cell is empty is still a row";
    EXPECT_EQ(grid_.text(1, 1), QString());
    EXPECT_EQ(grid_.text(1, 2), QStringLiteral("2"));
    EXPECT_EQ(grid_.text(2, 1), QStringLiteral("5"));
    EXPECT_EQ(subtitle_, QStringLiteral("antes")) << "no heading record: subtitle unchanged";
}

TEST_F(CarregaGridTest, HeadingOnlyFileHasNoRecordsToShow) {
    writeCheckedReport(root_, QStringLiteral("SSDEMO0001"),
                       {QStringLiteral("000,TResumo,"), QStringLiteral("001,ALote,AValor,")});
    EXPECT_FALSE(load(QStringLiteral("SSDEMO0001.S??")));
    EXPECT_EQ(onlyMessage(), "Não existem registros a serem exibidos!");
    EXPECT_EQ(dialogs_.messages()[0].request.title, QStringLiteral("Atenção"));
    EXPECT_EQ(grid_.maxRows(), 0);
    EXPECT_EQ(grid_.headingText(2), QStringLiteral("Valor"));
}

TEST_F(CarregaGridTest, MissingFileNamesThePattern) {
    EXPECT_FALSE(load(QStringLiteral("TPDEMO0001.S??")));
    EXPECT_EQ(onlyMessage(),
              "Não existem registros a serem exibidos! Arquivo TPDEMO0001.S?? não foi encontrado.");
    EXPECT_EQ(dialogs_.messages()[0].request.icon, MessageIcon::Information);
}

TEST_F(CarregaGridTest, DamagedFileIsNotShownAndAReloadStartsFromNothing) {
    writeCheckedReport(root_, QStringLiteral("SSDEMO0001"), kSales);
    ASSERT_TRUE(load(QStringLiteral("SSDEMO0001.S??")));
    writeReport(root_, QStringLiteral("PSDEMO0001-000123.S00"), kSales);
    EXPECT_FALSE(load(QStringLiteral("PSDEMO0001-000123.S??")));
    EXPECT_EQ(onlyMessage(),
              "Arquivo C:\\VANTRIX\\PSDEMO0001-000123.S00 corrompido ! Contatar o suporte !");
    EXPECT_EQ(grid_.maxRows(), 0);
    EXPECT_EQ(grid_.maxCols(), 0);
}

TEST(ReportFilesTest, PrefixPerTypeAndNumberedSuffixes) {
    const QString adm = QStringLiteral(" DEMO0001 ");
    EXPECT_EQ(reportFilePattern(ReportFileKind::ResumoVendas, 1, adm), "SSDEMO0001.S??");
    EXPECT_EQ(reportFilePattern(ReportFileKind::ResumoVendas, 2, adm), "SRDEMO0001.S??");
    EXPECT_EQ(reportFilePattern(ReportFileKind::ResumoFinanceiro, 3, adm), "FDDEMO0001.S??");
    EXPECT_EQ(reportFilePattern(ReportFileKind::ProdutosLote, 1, adm, QStringLiteral("123")),
              "PSDEMO0001-000123.S??");
    EXPECT_EQ(reportFilePattern(ReportFileKind::ProdutosTransacao, 2, adm, QStringLiteral("4567")),
              "DRDEMO0001-000000004567.S??");
    EXPECT_EQ(reportFilePattern(ReportFileKind::TransacoesPendentes, 3, adm), "TPDEMO0001.S??");
    EXPECT_EQ(reportFilePattern(ReportFileKind::TransacoesLote, 1, QStringLiteral(" ADM123456789 "),
                                QStringLiteral("42")),
              "TSADM12345-000042.S??");
    EXPECT_EQ(reportFilePattern(ReportFileKind::TransacoesLote, 3, adm, QStringLiteral("7")),
              "TDDEMO0001-000007.S??");
    EXPECT_EQ(reportFilePattern(ReportFileKind::ResumoVendas, 0, adm), QString());
}

// The sample report files that the demo host hands out at logon load as
// they are: names carry the right checksum and every file has data rows.
TEST_F(CarregaGridTest, DemoReportFilesLoad) {
    const QString folder = QStringLiteral(VTX_SOURCE_DIR "/tools/hostsim/data/tables/DEMO0001");
    const struct {
        ReportFileKind kind;
        const char* numero;
        int rows;
    } reports[] = {{ReportFileKind::ResumoVendas, "", 3},
                   {ReportFileKind::ResumoFinanceiro, "", 3},
                   {ReportFileKind::ProdutosLote, "42", 2},
                   {ReportFileKind::ProdutosTransacao, "101", 1},
                   {ReportFileKind::TransacoesPendentes, "", 2}};
    // Every establishment type has its own files (the pending transactions
    // one file for all).
    for (int tipo = 1; tipo <= 3; ++tipo) {
        session_.settings.TipoEstab = static_cast<qint16>(tipo);
        for (const auto& report : reports) {
            const QString pattern = reportFilePattern(report.kind, tipo, QStringLiteral("DEMO0001"),
                                                      QString::fromLatin1(report.numero));
            SCOPED_TRACE(pattern.toStdString());
            const QStringList found = QDir(folder).entryList({pattern}, QDir::Files);
            ASSERT_EQ(found.size(), 1);
            QFile file(folder + u'/' + found.first());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            root_.writeFile("C/VANTRIX/" + found.first().toStdString(),
                            file.readAll().toStdString());
            EXPECT_TRUE(load(pattern)) << dialogs_.texts().join(" | ").toStdString();
            EXPECT_EQ(grid_.maxRows(), report.rows);
            EXPECT_FALSE(subtitle_.isEmpty());
        }
    }
}
