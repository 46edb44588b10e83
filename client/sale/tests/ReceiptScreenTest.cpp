// FormImpressao on the offscreen platform: what it lists, what it prints
// (recorded, and into a real PDF read back with pdftotext), and the
// confirmation and reversal it sends before closing.
#include "sale/FormImpressao.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include "core/IniAccess.h"
#include "sale/AbreFormImpressao.h"
#include "sale/ReceiptPrinting.h"
#include "sale/tests/ReceiptCancelFixture.h"
#include "widgets/QtPrinter.h"

using namespace vtx::client;
using namespace vtx::client::sale;
using vtx::client::testing::PrintEvent;

namespace {

const QString kReceipt = QStringLiteral(
    "000-000=0210;009-000=00;012-000=000456;028-000=03;029-000=      FARMACIA CENTRAL;"
    "029-001=CUPOM 1;029-003=TOTAL          12,50;");

class ReceiptScreen : public ReceiptCancelFixture {
protected:
    void SetUp() override {
        enableButtons();
        session_.nsu = QStringLiteral("000456");
        setAnswer(kReceipt);
    }

    QPushButton* button(QWidget& form, const char* name) {
        return form.findChild<QPushButton*>(QString::fromLatin1(name));
    }
};

}  // namespace

TEST_F(ReceiptScreen, ListsTheReceiptLinesWithTheProductTableOfASale) {
    FormImpressao receipt(session_, host_);
    EXPECT_EQ(receipt.linhas(), (QStringList{QStringLiteral("      FARMACIA CENTRAL"),
                                             QStringLiteral("CUPOM 1"), QString(),
                                             QStringLiteral("TOTAL          12,50")}));
    ASSERT_FALSE(printStates_.empty());
    EXPECT_FALSE(printStates_.back()) << "the main window's print entry is off";

    session_.captions.setValue("FormImpressao", "lstImpressaoProdutos", slot("Y", 0, 0, {}));
    session_.settings.TelaAtual = QStringLiteral("VENDA");
    const int item = session_.produtos.appendEmpty();
    session_.produtos.codigo[item] = QStringLiteral("7891234567890");
    session_.produtos.descricao[item] = QStringLiteral("DIPIRONA");
    session_.produtos.status[item] = QStringLiteral("00");
    FormImpressao sale(session_, host_);
    ASSERT_EQ(sale.linhas().size(), 6 + 4);
    EXPECT_TRUE(sale.linhas()[0].startsWith(QStringLiteral("Código")));
    EXPECT_EQ(sale.linhas()[6], QStringLiteral("      FARMACIA CENTRAL"));
}

TEST_F(ReceiptScreen, ACountOf99WithThreeLinesStillConfirms) {
    setAnswer(QStringLiteral("009-000=00;028-000=99;029-000=A;029-001=B;029-002=C;"));
    FormImpressao receipt(session_, host_);
    receipt.show();
    ASSERT_EQ(receipt.linhas().size(), 100);
    EXPECT_EQ(receipt.linhas().mid(0, 4), (QStringList{"A", "B", "C", QString()}));
    QTest::keyClick(&receipt, Qt::Key_F5);
    EXPECT_EQ(sentField("000-000"), QStringLiteral("0202"));
    EXPECT_EQ(receipt.result(), FormImpressao::Confirmado);
}

TEST_F(ReceiptScreen, ButtonsFollowTheStationsCaptions) {
    session_.captions.setValue("FormImpressao", "cmdAnula_Caption", slot("N", 0, 0, "F12 - Estorno"));
    session_.captions.setValue("FormImpressao", "CmdConfirma_Caption", QString());
    FormImpressao receipt(session_, host_);
    receipt.show();
    EXPECT_FALSE(button(receipt, "cmdAnula")->isEnabled());
    EXPECT_EQ(button(receipt, "cmdAnula")->text(), QStringLiteral("F12 - Estorno"));
    EXPECT_FALSE(button(receipt, "cmdConfirma")->isEnabled()) << "a missing key disables";
    EXPECT_EQ(button(receipt, "cmdConfirma")->text(), QStringLiteral("F5 - C&onfirma "));

    QTest::keyClick(&receipt, Qt::Key_F12);
    QTest::keyClick(&receipt, Qt::Key_F5);
    EXPECT_TRUE(comm_.sent.isEmpty()) << "disabled commands send nothing";

    QTest::keyClick(&receipt, Qt::Key_F8);  // as the print button's caption says
    EXPECT_EQ(printer_.documentsEnded(), 1);
    EXPECT_FALSE(button(receipt, "cmdAnula")->isEnabled()) << "printing enables nothing new";
    EXPECT_FALSE(button(receipt, "cmdConfirma")->isEnabled());
    EXPECT_TRUE(button(receipt, "cmdImprimir")->isEnabled());
}

TEST_F(ReceiptScreen, PrintsEveryLineInCourierNew8ThenTheFeedLines) {
    FormImpressao receipt(session_, host_);
    QTest::mouseClick(button(receipt, "cmdImprimir"), Qt::LeftButton);
    const auto& events = printer_.events();
    ASSERT_EQ(events.size(), 2u + 4u + 2u + 1u);
    EXPECT_EQ(events[0].kind, PrintEvent::Kind::Begin);
    EXPECT_FALSE(events[0].flag) << "portrait";
    EXPECT_EQ(events[1].kind, PrintEvent::Kind::Font);
    EXPECT_EQ(events[1].text, QStringLiteral("Courier New"));
    EXPECT_EQ(events[1].pointSize, 8);
    EXPECT_FALSE(events[1].flag) << "not bold";
    EXPECT_EQ(printer_.lines(), receipt.linhas() + QStringList({QString(), QStringLiteral(" ")}));
    EXPECT_EQ(events.back().kind, PrintEvent::Kind::End);
    EXPECT_TRUE(texts().isEmpty()) << texts().join(" | ").toStdString();
    EXPECT_TRUE(comm_.sent.isEmpty()) << "printing sends nothing";

    receipt.cmdImprimir_Click();
    EXPECT_EQ(printer_.documentsEnded(), 2) << "any number of times";
}

TEST_F(ReceiptScreen, APrinterFaultIsAlwaysToldAndTheScreenStaysUsable) {
    printer_.failWith(QStringLiteral("A impressora não está disponível."));
    FormImpressao receipt(session_, host_);
    receipt.cmdImprimir_Click();
    EXPECT_EQ(texts(),
              QStringList{QStringLiteral("Ocorreu o erro: A impressora não está disponível.")});
    EXPECT_EQ(dialogs_.messages()[0].request.title, QStringLiteral("ATENÇÃOcmdImprimir_Click"));

    dialogs_.clear();
    session_.settings.TipoLog = QStringLiteral("N");  // TrataErro shows nothing on this station
    receipt.cmdImprimir_Click();
    ASSERT_EQ(texts(), QStringList{QStringLiteral("A impressora não está disponível.")});
    EXPECT_EQ(dialogs_.messages()[0].request.icon, MessageIcon::Critical);
    for (const char* name : {"cmdConfirma", "cmdImprimir", "cmdAnula"})
        EXPECT_TRUE(button(receipt, name)->isEnabled()) << name;

    dialogs_.clear();
    session_.printer = nullptr;
    receipt.cmdImprimir_Click();
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Nenhuma impressora configurada.")});
}

namespace {

// A printer whose paper runs out after `lines` lines.
class PaperOut : public vtx::client::testing::RecordingPrinter {
public:
    explicit PaperOut(int lines) : left_(lines) {}
    bool printLine(const QString& text) override {
        if (left_-- == 0) failWith(QStringLiteral("Sem papel."));
        return RecordingPrinter::printLine(text);
    }
    bool endDocument() override {
        ++endCalls;
        return RecordingPrinter::endDocument();
    }
    int endCalls = 0;

private:
    int left_;
};

}  // namespace

TEST(ReceiptPrinting, AFaultMidwayEndsTheDocumentAndKeepsTheFirstFault) {
    PaperOut printer(2);
    EXPECT_EQ(imprimeRecibo(printer, {"A", "B", "C", "D"}), QStringLiteral("Sem papel."));
    EXPECT_EQ(printer.lines(), (QStringList{"A", "B"}));
    EXPECT_EQ(printer.endCalls, 1) << "the half document is not left open";
    EXPECT_EQ(printer.documentsEnded(), 0) << "nor sent";
}

TEST_F(ReceiptScreen, F5ConfirmsTheTransactionAndCloses) {
    FormImpressao receipt(session_, host_);
    receipt.show();
    comm_.answerText(QStringLiteral("000-000=0212;009-000=00;"));
    QTest::keyClick(&receipt, Qt::Key_F5);
    ASSERT_EQ(comm_.sent.size(), 1);
    EXPECT_EQ(sentField("000-000"), QStringLiteral("0202"));
    EXPECT_EQ(sentField("012-000"), QStringLiteral("000000000456"));
    EXPECT_EQ(receipt.result(), FormImpressao::Confirmado);
    EXPECT_FALSE(receipt.isVisible());
}

TEST_F(ReceiptScreen, F12AnnulsAndClosesWhateverTheHostAnswers) {
    FormImpressao receipt(session_, host_);
    receipt.show();
    comm_.answerText(QStringLiteral("000-000=0430;009-000=57;030-000=ESTORNO NEGADO;"));
    QTest::keyClick(&receipt, Qt::Key_F12);
    ASSERT_EQ(comm_.sent.size(), 1);
    EXPECT_EQ(sentField("000-000"), QStringLiteral("0420"));
    EXPECT_EQ(receipt.result(), FormImpressao::Anulado);
    EXPECT_FALSE(receipt.isVisible());
    EXPECT_EQ(texts(), QStringList{QStringLiteral("ESTORNO NEGADO")});
}

TEST_F(ReceiptScreen, EscapeLeavesTheTransactionNeitherConfirmedNorAnnulled) {
    FormImpressao receipt(session_, host_);
    receipt.show();
    QTest::keyClick(&receipt, Qt::Key_Escape);
    receipt.reject();
    EXPECT_TRUE(receipt.isVisible());
    EXPECT_TRUE(comm_.sent.isEmpty());
}

TEST_F(ReceiptScreen, TheOpenerRunsTheScreenModally) {
    QString shown;
    dialogs_.onForm(QStringLiteral("FormImpressao"), [&](ModalForm& form) {
        auto& receipt = dynamic_cast<FormImpressao&>(form);
        shown = receipt.linhas().value(0);
        receipt.cmdConfirma_Click();
        return receipt.result();
    });
    abreFormImpressao(session_, host_);
    EXPECT_EQ(dialogs_.forms(), QStringList{QStringLiteral("FormImpressao")});
    EXPECT_EQ(shown, QStringLiteral("      FARMACIA CENTRAL"));
    EXPECT_EQ(sentField("000-000"), QStringLiteral("0202"));
}

TEST_F(ReceiptScreen, APdfHoldsTheReceiptLinesInOrder) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    ASSERT_TRUE(GravaLinhaArquivoIni(QStringLiteral("DADOS_GERAIS"), QStringLiteral("ArquivoPDF"),
                                     QStringLiteral("C:\\VANTRIX\\recibo.pdf"),
                                     session_.settings.clientIni()));
    std::unique_ptr<widgets::QtPrinter> pdf = widgets::QtPrinter::fromSettings(session_.settings);
    session_.printer = pdf.get();
    FormImpressao receipt(session_, host_);
    receipt.cmdImprimir_Click();
    ASSERT_TRUE(texts().isEmpty()) << texts().join(" | ").toStdString();

    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-layout"),
                             QString::fromStdString(root_.native("C/VANTRIX/recibo.pdf")),
                             QStringLiteral("-")});
    ASSERT_TRUE(reader.waitForFinished(60000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    const qsizetype first = text.indexOf(QStringLiteral("FARMACIA CENTRAL"));
    const qsizetype second = text.indexOf(QStringLiteral("CUPOM 1"));
    // The reader renders the fixed font's blanks approximately: the total
    // and its amount on one line, apart.
    const qsizetype last = text.indexOf(QRegularExpression(QStringLiteral("TOTAL {4,}12,50")));
    EXPECT_GE(first, 0) << text.toStdString();
    EXPECT_GT(second, first) << text.toStdString();
    EXPECT_GT(last, second) << text.toStdString();
}
