#include "widgets/QtPrinter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "TestRoot.h"
#include "core/IniAccess.h"

using namespace vtx::client;
using vtx::client::widgets::QtPrinter;

namespace {

GridModel reportGrid(int rows) {
    GridModel grid(rows, 3);
    grid.setHeadingText(1, QStringLiteral("Lote"));
    grid.setHeadingText(2, QStringLiteral("0"));
    grid.setHeadingText(3, QStringLiteral("Valor"));
    grid.setColumnHidden(2, true);
    grid.setAlignment(3, GridModel::Alignment::Right);
    for (int row = 1; row <= rows; ++row) {
        grid.setText(row, 1, QStringLiteral("%1").arg(row, 6, 10, QLatin1Char('0')));
        grid.setText(row, 2, QStringLiteral("SEGREDO"));
        grid.setText(row, 3, QStringLiteral("%1,00").arg(row * 10));
    }
    return grid;
}

class QtPrinterTest : public ::testing::Test {
protected:
    vtx::test::TempRoot root_;
};

}  // namespace

TEST_F(QtPrinterTest, PrintsLinesAndAGridOfSeveralPagesToThePdfNamedInTheSettings) {
    EstruturaPrincipal settings;
    settings.PathServer = QStringLiteral("C:\\VANTRIX");
    ASSERT_TRUE(GravaLinhaArquivoIni(QStringLiteral("DADOS_GERAIS"), QStringLiteral("ArquivoPDF"),
                                     QStringLiteral("C:\\VANTRIX\\relatorio.pdf"),
                                     settings.clientIni()));
    std::unique_ptr<QtPrinter> printer = QtPrinter::fromSettings(settings);
    EXPECT_EQ(printer->pdfFile(), QStringLiteral("C:\\VANTRIX\\relatorio.pdf"));

    ASSERT_TRUE(printer->beginDocument(true)) << printer->lastError().toStdString();
    EXPECT_TRUE(printer->setFont(QStringLiteral("Courier New"), 8, true));
    EXPECT_TRUE(printer->printLine(QStringLiteral("Impressão de teste")));
    EXPECT_TRUE(printer->printGrid(reportGrid(150), QStringLiteral("Lotes dos ultimos 7 dias")));
    ASSERT_TRUE(printer->endDocument()) << printer->lastError().toStdString();

    QFile pdf(QString::fromStdString(root_.native("C/VANTRIX/relatorio.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_GT(bytes.size(), 2000);
    EXPECT_GE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 2)
        << "150 rows need more than one page";
}

TEST_F(QtPrinterTest, AnUnwritableFileIsReportedInTheOperatorsWords) {
    root_.writeFile("C/VANTRIX/ocupado", "");  // a file where a folder is needed
    QtPrinter printer;
    printer.setPdfFile(QStringLiteral("C:\\VANTRIX\\ocupado\\relatorio.pdf"));
    EXPECT_FALSE(printer.beginDocument(false));
    EXPECT_EQ(
        printer.lastError(),
        QStringLiteral("Não foi possível gravar o arquivo C:\\VANTRIX\\ocupado\\relatorio.pdf."));
    EXPECT_FALSE(printer.printLine(QStringLiteral("x")));
    EXPECT_EQ(printer.lastError(), QStringLiteral("Nenhum documento de impressão aberto."));
}

TEST_F(QtPrinterTest, WithoutSettingsTheSystemPrinterIsUsed) {
    EstruturaPrincipal settings;
    settings.PathServer = QStringLiteral("C:\\VANTRIX");
    EXPECT_TRUE(QtPrinter::fromSettings(settings)->pdfFile().isEmpty());
}
