#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/testing/RecordingPrinter.h"
#include "core/testing/ReportStation.h"
#include "core/testing/ScriptedDialogs.h"
#include "reports/FormConsulta.h"
#include "reports/FormResumo.h"
#include "reports/FormResumoFinanceiro.h"
#include "reports/FormResumoProdutos.h"
#include "widgets/Hourglass.h"

using namespace vtx::client;
using namespace vtx::client::reports;
using vtx::client::testing::writeCheckedReport;
using vtx::client::testing::PrintEvent;

namespace {

class SilentComm : public CommLibrary {
public:
    std::optional<int> process(QString&, QString&, const QString&) override { return {}; }
    std::optional<Price> getPreco(const QString&, const QString&, const QString&,
                                  const Price&) override {
        return {};
    }
};

const QStringList kBatches = {
    QStringLiteral("000,TLotes de 01/03/24 a 07/03/24,"),
    QStringLiteral("001,AData,AQtd,ALote,AValor,"),
    QStringLiteral("002,D010324,N3,A000041,M15000,"),
    QStringLiteral("002,D020324,N5,A000042,M27550,"),
};

const QStringList kPending = {
    QStringLiteral("000,TTransações pendentes,"),
    QStringLiteral("001,ATipo,ANSU,AData,AStatus,AValor,ALote,ATerminal,"),
    QStringLiteral("002,ABE,N123,D050324101500,APEND.,M1000,A000042,A00000001,"),
    QStringLiteral("002,AXY,N124,D050324101600,ACANC.,M2000,A000042,A00000001,"),
};

class ReportScreens : public ::testing::Test {
protected:
    void SetUp() override {
        EstruturaPrincipal& s = session_.settings;
        s.PathServer = QStringLiteral("C:\\VANTRIX");
        s.TipoLog = QStringLiteral("M");
        s.TituloMensagem = QStringLiteral("ATENÇÃO");
        s.TipoEstab = 1;
        s.CodigoAdministradora = QStringLiteral("DEMO0001");
        session_.clock = [] { return QDateTime(QDate(2024, 3, 7), QTime(10, 0)); };
        const QString slot = QStringLiteral("Y    ");
        session_.captions.setValue("FormResumo", "cmdProdutosLote_caption",
                                   slot + QStringLiteral("F9 - &Produtos do Lote"));
        session_.captions.setValue("FormResumo", "cmdTransacoesLote_caption",
                                   slot + QStringLiteral("F8 - &Transações do Lote"));
        session_.captions.setValue("FormConsulta", "cmdConfirmaTrans_Caption",
                                   slot + QStringLiteral("&Confirma"));
        session_.captions.setValue("FormConsulta", "cmdAnulaTrans_Caption",
                                   slot + QStringLiteral("&Anula"));
        host_.setCaption = [this](const QString& text) { captions_ << text; };
        host_.setPrintEnabled = [this](bool on) { printEnabled_ = on; };
        host_.endProgram = [this] { ++ended_; };
    }

    QStringList texts() const { return dialogs_.texts(); }

    vtx::test::TempRoot root_;
    vtx::client::testing::ScriptedDialogs dialogs_;
    vtx::client::testing::RecordingPrinter printer_;
    SilentComm comm_;
    ClientSession session_{dialogs_, comm_};
    ReportHost host_;
    QStringList captions_;
    bool printEnabled_ = false;
    int ended_ = 0;
};

}  // namespace

TEST_F(ReportScreens, SalesSummaryLoadsItsFileAndOpensTheProductsOfTheActiveBatch) {
    writeCheckedReport(root_, QStringLiteral("SSDEMO0001"), kBatches);
    writeCheckedReport(
        root_, QStringLiteral("PSDEMO0001-000042"),
        {QStringLiteral("001,AProduto,AQtd,"), QStringLiteral("002,ADIPIRONA 500MG,N2,")});
    FormResumo form(session_, &printer_, host_);
    EXPECT_EQ(session_.settings.TelaAtual, QStringLiteral("RESUMOVENDA"));
    EXPECT_TRUE(printEnabled_);
    ASSERT_FALSE(captions_.isEmpty());
    EXPECT_EQ(captions_.last(), QStringLiteral("Vantorix Client      Tela 0003 - Resumo de "
                                               "Autorizações    07/03/2024"));
    EXPECT_EQ(form.subtitulo(), QStringLiteral("Lotes de 01/03/24 a 07/03/24"));
    EXPECT_EQ(form.grid().maxRows(), 2);
    auto* transacoes = form.findChild<QPushButton*>(QStringLiteral("cmdTransacoesLote"));
    ASSERT_NE(transacoes, nullptr);
    EXPECT_FALSE(transacoes->isVisibleTo(&form)) << "the batch screen is not given";

    form.grid().setActiveRow(2);
    QString produto;
    QString telaDuranteProdutos;
    dialogs_.onForm(QStringLiteral("FormResumoProdutos"), [&](ModalForm& modal) {
        auto& produtos = dynamic_cast<FormResumoProdutos&>(modal);
        produto = produtos.grid().text(1, 1);
        telaDuranteProdutos = session_.settings.TelaAtual;
        produtos.cmdRetorna_Click();
        return 0;
    });
    QTest::keyClick(&form, Qt::Key_F9);
    EXPECT_EQ(form.loteAtual().numeroLote, QStringLiteral("000042"));
    EXPECT_EQ(form.loteAtual().valorColuna1, 2.0) << "column 1 as a number";
    EXPECT_EQ(produto, QStringLiteral("DIPIRONA 500MG"));
    EXPECT_EQ(telaDuranteProdutos, QStringLiteral("PRODUTOSDOLOTE"));
    EXPECT_EQ(session_.settings.TelaAtual, QStringLiteral("RESUMOVENDAS"));

    LoteSelecionado aberto;
    form.setTransacoesDoLote([&](const LoteSelecionado& lote) { aberto = lote; });
    form.grid().setActiveRow(1);
    QTest::keyClick(&form, Qt::Key_F8);
    EXPECT_EQ(aberto.numeroLote, QStringLiteral("000041"));
}

TEST_F(ReportScreens, PrintSendsTheGridUnderTheSubtitleOrReportsThePrinterFault) {
    writeCheckedReport(root_, QStringLiteral("FSDEMO0001"), kBatches);
    FormResumoFinanceiro form(session_, &printer_, host_);
    EXPECT_EQ(session_.settings.TelaAtual, QStringLiteral("RESUMOFINANCEIRO"));
    QTest::keyClick(&form, Qt::Key_F11);
    ASSERT_EQ(printer_.events().size(), 3u);
    EXPECT_TRUE(printer_.events()[0].flag) << "landscape";
    EXPECT_EQ(printer_.events()[1].kind, PrintEvent::Kind::Grid);
    EXPECT_EQ(printer_.events()[1].text, QStringLiteral("Lotes de 01/03/24 a 07/03/24"));
    EXPECT_EQ(printer_.events()[1].grid.text(2, 3), QStringLiteral("000042"));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Impressão efetuada!")});

    dialogs_.clear();
    printer_.failWith(QStringLiteral("A impressora não está disponível."));
    form.cmdImprimir_Click();
    EXPECT_EQ(texts(),
              QStringList{QStringLiteral("Ocorreu o erro: A impressora não está disponível.")});
}

TEST_F(ReportScreens, F12AsksBeforeEndingAndNoIsPreselected) {
    FormResumoFinanceiro form(session_, &printer_, host_);  // no file: the screen stays open
    dialogs_.clear();
    dialogs_.queueAnswer(MessageAnswer::No);
    QTest::keyClick(&form, Qt::Key_F12);
    EXPECT_EQ(ended_, 0);
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].request.text, QStringLiteral("Confirma a Saída do Sistema"));
    EXPECT_EQ(dialogs_.messages()[0].request.defaultButton, MessageAnswer::No);
    dialogs_.queueAnswer(MessageAnswer::Yes);
    QTest::keyClick(&form, Qt::Key_F12);
    EXPECT_EQ(ended_, 1);
}

TEST_F(ReportScreens, ProductsOfATransactionUseTheNsuAndOfferItemCancellation) {
    session_.nsu = QStringLiteral("123");
    session_.settings.TelaAtual = QStringLiteral("PRODUTOSDATRANSACAO");
    writeCheckedReport(root_, QStringLiteral("PTDEMO0001-000000000123"),
                       {QStringLiteral("001,AProduto,"), QStringLiteral("002,AAAS 100MG,")});
    FormResumoProdutos form(session_, &printer_, host_, QString());
    EXPECT_TRUE(form.carregado());
    auto* cancela = form.findChild<QPushButton*>(QStringLiteral("cmdCancelaItem"));
    EXPECT_FALSE(cancela->isVisibleTo(&form));
    int cancelled = 0;
    form.setCancelaItem([&](GridModel&) { ++cancelled; });
    EXPECT_TRUE(cancela->isVisibleTo(&form));
    session_.settings.TelaAtual = QStringLiteral("PRODUTOSDATRANSACAO");

    session_.settings.TelaAtual = QStringLiteral("PRODUTOSDOLOTE");
    FormResumoProdutos lote(session_, &printer_, host_, QStringLiteral("42"));
    lote.setCancelaItem([&](GridModel&) { ++cancelled; });
    EXPECT_FALSE(
        lote.findChild<QPushButton*>(QStringLiteral("cmdCancelaItem"))->isVisibleTo(&lote));
    EXPECT_EQ(texts().last(), QStringLiteral("Não existem registros a serem exibidos! Arquivo "
                                             "PSDEMO0001-000042.S?? não foi encontrado."));
    QTest::keyClick(&lote, Qt::Key_F6);
    EXPECT_EQ(cancelled, 0);
}

TEST_F(ReportScreens, PendingTransactionsReadTheActiveRowAndTellTheOutcome) {
    FormConsulta empty(session_, &printer_, host_);
    dialogs_.clear();
    empty.cmdConfirmaTrans_Click();
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Não existem transações pendentes.")});

    writeCheckedReport(root_, QStringLiteral("TPDEMO0001"), kPending);
    session_.tipoTransacao = QStringLiteral("VENDA");
    FormConsulta form(session_, &printer_, host_);
    EXPECT_EQ(session_.settings.TelaAtual, QStringLiteral("TRANSACOESPENDENTES"));
    form.grid().setActiveRow(2);
    form.CarregaDadosNSU();
    EXPECT_EQ(session_.nsu, QStringLiteral("124"));
    EXPECT_EQ(session_.pendente.tipo, QStringLiteral("XY"));
    EXPECT_EQ(session_.pendente.status, QStringLiteral("CANC."));
    EXPECT_EQ(form.dadosNSU().coluna6, QStringLiteral("000042"));
    EXPECT_EQ(form.dadosNSU().coluna7, QStringLiteral("00000001"));

    // The communication library is missing: neither request reaches the host.
    dialogs_.clear();
    form.cmdConfirmaTrans_Click();
    EXPECT_EQ(texts().last(), QStringLiteral("Confirmação não foi efetuada com sucesso!"));
    dialogs_.clear();
    form.cmdAnulaTrans_Click();
    EXPECT_EQ(texts().last(), QStringLiteral("Anulação não foi efetuada com sucesso!"));
}

namespace {

// A host that answers every request with status 00 and notes, for each,
// whether the busy pointer showed while it was out.
class AnsweringComm : public CommLibrary {
public:
    std::optional<int> process(QString& exchange, QString&, const QString&) override {
        sent << exchange;
        busyWhileSent.push_back(hourglassShown() && QGuiApplication::overrideCursor() != nullptr &&
                                QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor);
        const QString answer = QStringLiteral("009-000=00;");
        exchange = QString::number(answer.size()).rightJustified(4, u'0') + answer;
        return 1;
    }
    std::optional<Price> getPreco(const QString&, const QString&, const QString&,
                                  const Price&) override {
        return {};
    }
    QStringList sent;
    std::vector<bool> busyWhileSent;
};

class ReportScreensWithHost : public ReportScreens {
protected:
    AnsweringComm answering_;
    ClientSession hostSession_{dialogs_, answering_};
};

}  // namespace

TEST_F(ReportScreensWithHost, F3ConfirmsAndF4AnnulsThePendingTransactionUnderTheBusyPointer) {
    hostSession_.settings = session_.settings;
    hostSession_.clock = session_.clock;
    hostSession_.captions = session_.captions;
    writeCheckedReport(root_, QStringLiteral("TPDEMO0001"), kPending);
    FormConsulta form(hostSession_, &printer_, host_);
    form.grid().setActiveRow(1);
    dialogs_.clear();
    QTest::keyClick(&form, Qt::Key_F3);
    ASSERT_EQ(answering_.sent.size(), 1) << texts().join(" | ").toStdString();
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Confirmação efetuada com sucesso!")});
    QTest::keyClick(&form, Qt::Key_F4);
    ASSERT_EQ(answering_.sent.size(), 2);
    EXPECT_EQ(texts().last(), QStringLiteral("Anulação efetuada com sucesso!"));
    EXPECT_NE(answering_.sent[0], answering_.sent[1]) << "a confirmation, then an annulment";
    EXPECT_EQ(answering_.busyWhileSent, (std::vector<bool>{true, true}));
    EXPECT_FALSE(hourglassShown()) << "the pointer is back once the host answered";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A disabled button's key does nothing.
    form.findChild<QPushButton*>(QStringLiteral("cmdAnulaTrans"))->setEnabled(false);
    QTest::keyClick(&form, Qt::Key_F4);
    EXPECT_EQ(answering_.sent.size(), 2);
}

TEST_F(ReportScreens, APrinterFaultIsToldEvenWhenErrorReportsAreSilent) {
    session_.settings.TipoLog = QStringLiteral("N");
    writeCheckedReport(root_, QStringLiteral("FSDEMO0001"), kBatches);
    FormResumoFinanceiro form(session_, &printer_, host_);
    dialogs_.clear();
    printer_.failWith(QStringLiteral("A impressora não está disponível."));
    QTest::keyClick(&form, Qt::Key_F11);
    EXPECT_EQ(texts(),
              QStringList{QStringLiteral("Ocorreu o erro: A impressora não está disponível.")});

    FormResumoFinanceiro semImpressora(session_, nullptr, host_);
    dialogs_.clear();
    semImpressora.cmdImprimir_Click();
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Ocorreu o erro: Nenhuma impressora configurada.")});
}

TEST_F(ReportScreens, ShowTheEstablishmentCodeAndNameAndRunInsideTheScreenAreaUntilEscape) {
    session_.settings.CodigoEstab = QStringLiteral("000000000012345");
    session_.captions.setValue("FormComplementar", "lblCodigoEstab",
                               QStringLiteral("Y0000Código do Estabelecimento:"));
    session_.captions.setValue("FormComplementar", "lblNomeEstab",
                               QStringLiteral("A0000FARMACIA CENTRAL"));
    QWidget window;
    window.resize(640, 400);
    auto* area = new QWidget(&window);
    area->setGeometry(0, 20, 640, 380);
    window.show();
    host_.screenArea = area;

    FormResumoFinanceiro form(session_, &printer_, host_);
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("lblCodigoEstab"))->text(),
              QStringLiteral("Código do Estabelecimento: 000000000012345"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("lblNomeEstab"))->text(),
              QStringLiteral("FARMACIA CENTRAL"));

    QWidget* parentWhileOpen = nullptr;
    QRect placedWhileOpen;
    bool windowWhileOpen = true;
    QTimer::singleShot(0, &form, [&] {
        parentWhileOpen = form.parentWidget();
        placedWhileOpen = form.geometry();
        windowWhileOpen = form.isWindow();
        // "ESC - Retorna", typed where the focus is: on the screen's grid.
        QTest::keyClick(window.focusWidget(), Qt::Key_Escape);
        if (!form.isHidden()) form.cmdRetorna_Click();  // the test ends either way
    });
    EXPECT_EQ(form.exec(), QDialog::Rejected);
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(parentWhileOpen, area);
    EXPECT_FALSE(windowWhileOpen) << "not a loose window at the desktop's corner";
    EXPECT_EQ(placedWhileOpen, area->rect());
}

TEST_F(ReportScreens, F6HandsTheTransactionsProductsToTheItemCancellationAndF8TheBatch) {
    session_.nsu = QStringLiteral("123");
    session_.settings.TelaAtual = QStringLiteral("PRODUTOSDATRANSACAO");
    writeCheckedReport(root_, QStringLiteral("PTDEMO0001-000000000123"),
                       {QStringLiteral("001,AProduto,NQtd,"), QStringLiteral("002,AAAS 100MG,N3,")});
    session_.captions.setValue("FormResumoProdutos", "cmdCancelaItem_Caption",
                               QStringLiteral("Y    F6 - &Cancela Item"));
    FormResumoProdutos form(session_, &printer_, host_, QString());
    QString produto;
    form.setCancelaItem([&](GridModel& grid) {
        produto = grid.text(1, 1);
        captions_ << QStringLiteral("a cancellation screen's title");
        printEnabled_ = false;
    });
    QTest::keyClick(&form, Qt::Key_F6);
    EXPECT_EQ(produto, QStringLiteral("AAS 100MG"));
    EXPECT_TRUE(printEnabled_) << "the products summary has the main window back";
    EXPECT_TRUE(captions_.last().startsWith(
        QStringLiteral("Vantorix Client      Tela 0006 - Resumo Produtos da Transação")));

    // F8 on the sales summary, with the batch screen given, hands it the
    // active batch and takes the main window back after it.
    writeCheckedReport(root_, QStringLiteral("SSDEMO0001"), kBatches);
    FormResumo resumo(session_, &printer_, host_);
    QString lote;
    resumo.setTransacoesDoLote([&](const LoteSelecionado& selecionado) {
        lote = selecionado.numeroLote;
        printEnabled_ = false;
    });
    resumo.grid().setActiveRow(2);
    QTest::keyClick(&resumo, Qt::Key_F8);
    EXPECT_EQ(lote, QStringLiteral("000042"));
    EXPECT_TRUE(printEnabled_);
    EXPECT_EQ(resumo.focusWidget(), resumo.findChild<QWidget*>(QStringLiteral("spdLote")))
        << "the summary's keys reach it again";
}
