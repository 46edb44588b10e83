// The batch screen, the cancellation by NSU and the item cancellation on
// the offscreen platform, against scripted host answers.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "sale/FormCancela.h"
#include "sale/FormNsu.h"
#include "sale/FrmCancelaProdutos.h"
#include "sale/tests/ReceiptCancelFixture.h"

using namespace vtx::client;
using namespace vtx::client::sale;
using vtx::client::testing::PrintEvent;

namespace {

const QString kHeading = QStringLiteral(
    "001,ATipo,ANSU,AData,ALote,AStatus,ATransacao,ACartao,ATerminal,AOperador,AVenda,ACredito,"
    "AReembolso,ADebito,");
const QString kBe = QStringLiteral(
    "002,ABE,N123,D071226101500,A000042,APEND.,ABE VENDA,A601234******1234,A00000001,AMARIA,"
    "M1250,M0,M0,M0,");
const QString kXy = QStringLiteral(
    "002,AXY,N124,D071226101600,A000042,ACONF.,AXY OUTRA,A601234******5678,A00000001,AMARIA,"
    "M2000,M500,M0,M100,");
const QString kStem = QStringLiteral("TSALFA0001-000042");

const QString kAccepted = QStringLiteral(
    "000-000=0210;009-000=00;012-000=000777;028-000=01;029-000=CANCELAMENTO;029-001=NSU 777;");
const QString kAcceptedNoReceipt = QStringLiteral("000-000=0210;009-000=00;012-000=000778;");
const QString kRefused = QStringLiteral("000-000=0210;009-000=59;");
const QString kRefusedWithReceipt =
    QStringLiteral("000-000=0210;009-000=44;028-000=01;029-000=ITEM NAO CANCELADO;");

class BatchScreen : public ReceiptCancelFixture {
protected:
    void SetUp() override { enableButtons(); }

    FormNsu* open() {
        form_ = std::make_unique<FormNsu>(session_, host_, QStringLiteral("ALFA0001"),
                                          QStringLiteral("42"));
        form_->show();
        return form_.get();
    }

    QString total(const char* name) {
        return form_->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    }

    std::unique_ptr<FormNsu> form_;
};

}  // namespace

TEST_F(BatchScreen, AMissingBatchFileClosesTheScreenAfterTheLoadersMessage) {
    abreFormNsu(session_, host_, QStringLiteral("ALFA0001"), QStringLiteral("42"));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Não existem registros a serem exibidos! Arquivo "
                                                  "TSALFA0001-000042.S?? não foi encontrado.")});
    EXPECT_TRUE(dialogs_.forms().isEmpty()) << "the screen never shows";
    EXPECT_FALSE(closeRoutines_[kTelaTransacoesLote]) << "the close routine is removed";
    EXPECT_FALSE(printRoutines_[kTelaTransacoesLote]);
    ASSERT_FALSE(captions_.isEmpty());
    EXPECT_TRUE(captions_.last().isEmpty()) << "the status text is cleared";
}

TEST_F(BatchScreen, ADamagedOrEmptyBatchFileClosesTooAndAnEmptyBatchTotalsZero) {
    const QString bad = writeDamaged(kStem, {kHeading, kBe});
    abreFormNsu(session_, host_, QStringLiteral("ALFA0001"), QStringLiteral("000042"));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Arquivo C:\\VANTRIX\\") + bad +
                                   QStringLiteral(" corrompido ! Contatar o suporte !")});
    EXPECT_TRUE(dialogs_.forms().isEmpty());

    std::remove(root_.native("C/VANTRIX/" + bad.toStdString()).c_str());
    writeChecked(kStem, {QStringLiteral("000,TLote 000042,"), kHeading});
    dialogs_.clear();
    FormNsu* form = open();
    EXPECT_FALSE(form->carregado());
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Não existem registros a serem exibidos!")});
    for (const char* name :
         {"txtTotValorLiqVda", "txtTotValorRepos", "txtTotValorCredito", "txtTotValorDebito"})
        EXPECT_EQ(total(name), QStringLiteral("0,00")) << name;
}

TEST_F(BatchScreen, LoadsTheBatchWithItsTotalsAndTakesTheMainWindowsCommands) {
    writeChecked(kStem, {QStringLiteral("000,TLote 000042 de 07/12/26,"), kHeading, kBe, kXy});
    FormNsu* form = open();
    ASSERT_TRUE(form->carregado()) << texts().join(" | ").toStdString();
    EXPECT_EQ(session_.settings.TelaAtual, QStringLiteral("TRANSACOESDOLOTE"));
    EXPECT_EQ(captions_.last(), QStringLiteral("Vantorix Client      Tela 0005 - Transações do "
                                               "Lote    07/12/2026"));
    EXPECT_TRUE(printStates_.back());
    EXPECT_EQ(form->subtitulo(), QStringLiteral("Lote 000042 de 07/12/26"));
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("lblAdministradora"))->text(),
              QStringLiteral("ALFA0001"));
    EXPECT_EQ(form->grid().maxRows(), 2);
    EXPECT_EQ(total("txtTotValorLiqVda"), QStringLiteral("32,50"));
    EXPECT_EQ(total("txtTotValorRepos"), QStringLiteral("5,00"));
    EXPECT_EQ(total("txtTotValorCredito"), QStringLiteral("0,00"));
    EXPECT_EQ(total("txtTotValorDebito"), QStringLiteral("1,00"));
    EXPECT_TRUE(texts().isEmpty()) << texts().join(" | ").toStdString();

    ASSERT_TRUE(printRoutines_[kTelaTransacoesLote]);
    printRoutines_[kTelaTransacoesLote]();
    ASSERT_EQ(printer_.events().size(), 3u);
    EXPECT_TRUE(printer_.events()[0].flag) << "landscape";
    EXPECT_EQ(printer_.events()[1].kind, PrintEvent::Kind::Grid);
    EXPECT_EQ(printer_.events()[1].text,
              QStringLiteral("Total da Venda :        32,50      Total de Crédito :        5,00"
                             "      Total Reembolso:        0,00      Total de Dédito :        1,00"));
    EXPECT_EQ(printer_.events()[1].grid.text(2, 2), QStringLiteral("124"));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Impressão efetuada!")});

    dialogs_.clear();
    printer_.failWith(QStringLiteral("A impressora não está disponível."));
    QTest::keyClick(form, Qt::Key_F11);
    EXPECT_EQ(texts(),
              QStringList{QStringLiteral("Ocorreu o erro: A impressora não está disponível.")});

    ASSERT_TRUE(closeRoutines_[kTelaTransacoesLote]);
    closeRoutines_[kTelaTransacoesLote]();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(closeRoutines_[kTelaTransacoesLote]);
}

TEST_F(BatchScreen, DamagedLinesLeaveTheOthersTotalledAndTheOperatorTold) {
    writeChecked(kStem,
                 {kHeading, kBe,
                  QStringLiteral("002,ABE,N125,D0712,A000042,APEND.,ABE VENDA,"),  // cut short
                  QStringLiteral("002,AXY,N126,Q!!,A000042,APEND.,AXY,A,A,A,A1O,OO,M100,Z9,")});
    FormNsu* form = open();
    ASSERT_TRUE(form->carregado()) << texts().join(" | ").toStdString();
    EXPECT_EQ(form->grid().maxRows(), 3);
    EXPECT_EQ(total("txtTotValorLiqVda"), QStringLiteral("12,50"));
    EXPECT_EQ(total("txtTotValorRepos"), QStringLiteral("0,00")) << "an unknown cell type";
    EXPECT_EQ(total("txtTotValorCredito"), QStringLiteral("1,00"));
    ASSERT_EQ(texts().size(), 1);
    EXPECT_TRUE(texts()[0].startsWith(QStringLiteral("Ocorreu o erro: O arquivo do lote tem ")))
        << texts()[0].toStdString();

    comm_.answerText(kAcceptedNoReceipt);
    QTest::keyClick(form, Qt::Key_F4);
    EXPECT_EQ(sentField("012-000"), QStringLiteral("000000000123")) << "the screen is still usable";
}

TEST_F(BatchScreen, F4CancelsTheActiveTransactionWholeAndShowsItsReceipt) {
    writeChecked(kStem, {kHeading, kBe, kXy});
    FormNsu* form = open();
    comm_.answerText(kAccepted);
    QTest::keyClick(form, Qt::Key_F4);
    ASSERT_EQ(comm_.sent.size(), 1);
    EXPECT_EQ(sentField("000-000"), QStringLiteral("0200"));
    EXPECT_EQ(sentField("011-000"), QStringLiteral("800400"));
    EXPECT_EQ(sentField("012-000"), QStringLiteral("000000000123"));
    EXPECT_EQ(sentField("900-000"), QStringLiteral("0"));
    EXPECT_EQ(sentField("901-000"), QStringLiteral("00"));
    EXPECT_EQ(session_.pendente.tipo, QStringLiteral("BE"));
    EXPECT_EQ(session_.pendente.status, QStringLiteral("PEND."));
    ASSERT_EQ(texts(), QStringList{QStringLiteral("Número da autorização: 000777")});
    EXPECT_EQ(dialogs_.messages()[0].request.icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs_.messages()[0].request.title, QStringLiteral("Atenção"));
    EXPECT_EQ(receipts_, 1);
    EXPECT_TRUE(printStates_.back()) << "the print entry is the batch screen's again";

    dialogs_.clear();
    form->grid().setActiveRow(2);
    comm_.answerText(kRefused);
    form->cmdCanceltotal_Click();
    EXPECT_EQ(sentField("011-000"), QStringLiteral("900400")) << "another network's transaction";
    EXPECT_EQ(sentField("012-000"), QStringLiteral("000000000124"));
    ASSERT_EQ(texts(), QStringList{QStringLiteral("Cancelamento não realizado!")});
    EXPECT_EQ(dialogs_.messages()[0].request.icon, MessageIcon::Critical);
    EXPECT_EQ(receipts_, 1);
    EXPECT_EQ(form->grid().maxRows(), 2) << "the list stays as it was";
    EXPECT_TRUE(form->findChild<QPushButton*>(QStringLiteral("cmdCanceltotal"))->isEnabled());
}

TEST_F(BatchScreen, F8OpensTheProductsOfATransactionThatHasThem) {
    writeChecked(kStem, {kHeading, kBe, kXy});
    FormNsu* form = open();
    QTest::keyClick(form, Qt::Key_F8);
    EXPECT_EQ(productScreens_, 1);
    EXPECT_EQ(session_.nsu, QStringLiteral("123"));
    EXPECT_EQ(session_.settings.TelaAtual, QStringLiteral("PRODUTOSDATRANSACAO"));
    form->grid().setActiveRow(2);
    QTest::keyClick(form, Qt::Key_F8);
    EXPECT_EQ(productScreens_, 1) << "an XY transaction has no product list";
    EXPECT_EQ(session_.nsu, QStringLiteral("124"));
    EXPECT_TRUE(comm_.sent.isEmpty());

    // A products summary run modally leaves TelaAtual to the sales summary
    // when it closes; the batch screen takes the main window back.
    form->grid().setActiveRow(1);
    whileProducts_ = [this] {
        session_.settings.TelaAtual = QStringLiteral("RESUMOVENDAS");
        printStates_.push_back(false);
    };
    form->cmdCancelParcial_Click();
    EXPECT_EQ(session_.settings.TelaAtual, QStringLiteral("TRANSACOESDOLOTE"));
    EXPECT_TRUE(printStates_.back());
}

TEST_F(BatchScreen, F12AsksBeforeEndingTheProgramAndEscReturns) {
    writeChecked(kStem, {kHeading, kBe});
    FormNsu* form = open();
    dialogs_.queueAnswer(MessageAnswer::No);
    QTest::keyClick(form, Qt::Key_F12);
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Confirma a Saída do Sistema")});
    EXPECT_EQ(dialogs_.messages()[0].request.defaultButton, MessageAnswer::No);
    EXPECT_EQ(ended_, 0);
    EXPECT_TRUE(form->isVisible());
    dialogs_.queueAnswer(MessageAnswer::Yes);
    QTest::keyClick(form, Qt::Key_F12);
    EXPECT_EQ(ended_, 1);
    EXPECT_FALSE(form->isVisible());

    form->show();
    QTest::keyClick(form, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
}

namespace {

class CancelByNsu : public ReceiptCancelFixture {
protected:
    void SetUp() override {
        enableButtons();
        session_.captions.setValue("FormCancela", "lblNSU", slot("N", 6, 12, "NSU da Operadora"));
        session_.settings.TelaAtual = QStringLiteral("ADMINISTRATIVA");
        form_ = std::make_unique<FormCancela>(session_, host_);
        form_->show();
        nsu_ = form_->findChild<QLineEdit*>(QStringLiteral("txtNSU"));
        comPrd_ = form_->findChild<QCheckBox*>(QStringLiteral("OptComPrd"));
    }

    std::unique_ptr<FormCancela> form_;
    QLineEdit* nsu_ = nullptr;
    QCheckBox* comPrd_ = nullptr;
};

}  // namespace

TEST_F(CancelByNsu, AnNsuOneBelowTheMinimumIsRefusedAndNothingSent) {
    EXPECT_EQ(nsu_->maxLength(), 12);
    nsu_->setText(QStringLiteral("12345"));
    QTest::keyClick(form_.get(), Qt::Key_F3);
    ASSERT_EQ(texts(),
              QStringList{QStringLiteral("O campo NSU deve conter pelo menos 6 caracteres.")});
    EXPECT_EQ(dialogs_.messages()[0].request.icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs_.messages()[0].request.title, QStringLiteral("Atenção"));
    EXPECT_TRUE(comm_.sent.isEmpty());
    EXPECT_TRUE(form_->isVisible());
    EXPECT_TRUE(form_->findChild<QPushButton*>(QStringLiteral("cmdOk"))->isEnabled());
}

TEST_F(CancelByNsu, WithProductsTheTypeCodeIsBeAndTheReceiptFollows) {
    nsu_->setText(QStringLiteral("000123"));
    comPrd_->setChecked(true);
    comm_.answerText(kAccepted);
    QTest::keyClick(form_.get(), Qt::Key_F3);
    ASSERT_EQ(comm_.sent.size(), 1);
    EXPECT_EQ(session_.pendente.tipo, QStringLiteral("BE"));
    EXPECT_EQ(sentField("011-000"), QStringLiteral("800400"));
    EXPECT_EQ(sentField("012-000"), QStringLiteral("000000000123"));
    EXPECT_EQ(sentField("901-000"), QStringLiteral("00")) << "the whole transaction";
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Número da autorização: 000777")});
    EXPECT_EQ(receipts_, 1);
    EXPECT_FALSE(form_->isVisible());
}

TEST_F(CancelByNsu, WithoutProductsTheTypeCodeIsXxAndARefusalIsTold) {
    nsu_->setText(QStringLiteral("000123"));
    comm_.answerText(kRefused);
    form_->cmdOk_Click();
    EXPECT_EQ(session_.pendente.tipo, QStringLiteral("XX"));
    EXPECT_EQ(sentField("011-000"), QStringLiteral("900400"));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Cancelamento não realizado!")});
    EXPECT_EQ(receipts_, 0);
    EXPECT_FALSE(form_->isVisible()) << "one attempt, then the screen closes";
}

TEST_F(CancelByNsu, LettersNeverReachANumericNsu) {
    nsu_->setFocus();
    QTest::keyClicks(nsu_, QStringLiteral("AB12C3"));
    EXPECT_EQ(nsu_->text(), QStringLiteral("123"));

    nsu_->setText(QStringLiteral("ABCDEFG"));  // pasted
    form_->cmdOk_Click();
    EXPECT_EQ(texts(), QStringList{QStringLiteral("O campo NSU deve conter somente números.")});
    EXPECT_TRUE(comm_.sent.isEmpty());
    EXPECT_TRUE(form_->isVisible());

    session_.captions.setValue("FormCancela", "lblNSU", slot("A", 0, 12, "NSU"));
    FormCancela open(session_, host_);
    open.show();
    auto* box = open.findChild<QLineEdit*>(QStringLiteral("txtNSU"));
    QTest::keyClicks(box, QStringLiteral("AB12"));
    EXPECT_EQ(box->text(), QStringLiteral("AB12")) << "a station whose NSU is not numeric";
}

TEST_F(CancelByNsu, EscAndF12CloseWithoutSending) {
    QTest::keyClick(form_.get(), Qt::Key_Escape);
    EXPECT_FALSE(form_->isVisible());
    form_->show();
    QTest::keyClick(form_.get(), Qt::Key_F12);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_TRUE(comm_.sent.isEmpty());
}

TEST_F(CancelByNsu, TheOpenerRunsTheScreenModally) {
    dialogs_.onForm(QStringLiteral("FormCancela"), [&](ModalForm& modal) {
        auto& form = dynamic_cast<FormCancela&>(modal);
        form.findChild<QLineEdit*>(QStringLiteral("txtNSU"))->setText(QStringLiteral("000555"));
        form.cmdOk_Click();
        return form.result();
    });
    comm_.answerText(kAcceptedNoReceipt);
    abreFormCancela(session_, host_);
    EXPECT_EQ(dialogs_.forms(), QStringList{QStringLiteral("FormCancela")});
    EXPECT_EQ(sentField("012-000"), QStringLiteral("000000000555"));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Número da autorização: 000778")});
    EXPECT_EQ(receipts_, 0) << "no receipt lines came back";
}

namespace {

class CancelItem : public ReceiptCancelFixture {
protected:
    void SetUp() override {
        enableButtons();
        session_.settings.TelaAtual = QStringLiteral("PRODUTOSDATRANSACAO");
        session_.pendente.tipo = QStringLiteral("BE");
        session_.nsu = QStringLiteral("123");
        products_.setMaxCols(13);
        products_.setMaxRows(2);
        const char* row1[] = {"", "", "", "", "0007891234567890", "", "", "DIPIRONA 500MG", "1",
                              "3", "3", "12,50", "11,25"};
        const char* row2[] = {"", "", "", "", "7890000000062", "", "", "AAS 100MG", "1",
                              "1", "1", "5,00", "5,00"};
        for (int c = 1; c <= 13; ++c) {
            products_.setText(1, c, QString::fromUtf8(row1[c - 1]));
            products_.setText(2, c, QString::fromUtf8(row2[c - 1]));
        }
    }

    // Opens the item cancellation; `act` plays the operator on it.
    bool run(const std::function<void(FrmCancelaProdutos&)>& act) {
        dialogs_.onForm(QStringLiteral("frmCancelaProdutos"), [&](ModalForm& modal) {
            auto& form = dynamic_cast<FrmCancelaProdutos&>(modal);
            act(form);
            return form.result();
        });
        return abreFrmCancelaProdutos(session_, host_, products_);
    }

    static void type(FrmCancelaProdutos& form, const QString& quantity) {
        form.findChild<QLineEdit*>(QStringLiteral("txtQuantidade"))->setText(quantity);
    }

    GridModel products_;
};

}  // namespace

TEST_F(CancelItem, OpensOnlyForExactlyOneSelectedProduct) {
    EXPECT_FALSE(run([](FrmCancelaProdutos&) {}));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Selecione o produto a cancelar.")});
    products_.setRowSelected(1, true);
    products_.setRowSelected(2, true);
    dialogs_.clear();
    EXPECT_FALSE(run([](FrmCancelaProdutos&) {}));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Selecione somente um produto para cancelar.")});
    EXPECT_TRUE(dialogs_.forms().isEmpty());

    dialogs_.clear();
    GridModel empty(0, 13);
    EXPECT_FALSE(abreFrmCancelaProdutos(session_, host_, empty));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Ocorreu o erro: Não existem itens para cancelar.")});
}

TEST_F(CancelItem, ZeroAndMoreThanTheOriginalAreRefusedAndTheFullQuantityIsSent) {
    products_.setRowSelected(1, true);
    products_.setActiveRow(2);  // the selected row is the one cancelled
    QString produto;
    QString proposta;
    comm_.answerText(kAcceptedNoReceipt);
    EXPECT_TRUE(run([&](FrmCancelaProdutos& form) {
        produto = form.findChild<QLineEdit*>(QStringLiteral("txtProduto"))->text();
        proposta = form.findChild<QLineEdit*>(QStringLiteral("txtQuantidade"))->text();
        for (const char* bad : {"0", "4"}) {
            type(form, QString::fromLatin1(bad));
            form.cmdOk_Click();
            EXPECT_EQ(form.result(), 0) << bad << ": the screen stays open";
        }
        EXPECT_TRUE(comm_.sent.isEmpty());
        type(form, QStringLiteral("3"));
        form.cmdOk_Click();
    }));
    EXPECT_EQ(produto, QStringLiteral("0007891234567890  -  DIPIRONA 500MG"));
    EXPECT_EQ(proposta, QStringLiteral("3"));
    const QString valorOriginal =
        QStringLiteral("A quantidade informada não pode ser maior que o valor original");
    EXPECT_EQ(texts(), (QStringList{valorOriginal, valorOriginal,
                                    QStringLiteral("Número da autorização: 000778")}));
    EXPECT_EQ(dialogs_.messages()[0].request.icon, MessageIcon::Critical);
    ASSERT_EQ(comm_.sent.size(), 1);
    EXPECT_EQ(sentField("011-000"), QStringLiteral("800400"));
    EXPECT_EQ(sentField("012-000"), QStringLiteral("000000000123"));
    EXPECT_EQ(sentField("902-000"), QStringLiteral("7891234567890"));
    EXPECT_EQ(sentField("906-000"), QStringLiteral("1"));
    EXPECT_EQ(sentField("905-000"), QStringLiteral("3"));
    EXPECT_EQ(receipts_, 0);
}

TEST_F(CancelItem, APartialQuantityIsSentAndItsReceiptShown) {
    products_.setRowSelected(1, true);
    comm_.answerText(kAccepted);
    EXPECT_TRUE(run([&](FrmCancelaProdutos& form) {
        type(form, QStringLiteral("2"));
        form.cmdOk_Click();
    }));
    EXPECT_EQ(sentField("905-000"), QStringLiteral("2"));
    EXPECT_EQ(session_.produtos.quantidade.value(0), QStringLiteral("2"));
    EXPECT_EQ(receipts_, 1);
}

TEST_F(CancelItem, TheReceiptFollowsARefusalWhenTheAnswerCarriesLines) {
    products_.setRowSelected(2, true);
    comm_.answerText(kRefusedWithReceipt);
    EXPECT_TRUE(run([&](FrmCancelaProdutos& form) { form.cmdOk_Click(); }));
    EXPECT_EQ(sentField("902-000"), QStringLiteral("7890000000062"));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Cancelamento não realizado!")});
    EXPECT_EQ(receipts_, 1);

    comm_.answerText(kRefused);
    dialogs_.clear();
    EXPECT_TRUE(run([&](FrmCancelaProdutos& form) { form.cmdOk_Click(); }));
    EXPECT_EQ(receipts_, 1) << "no lines, no receipt";
}

TEST_F(CancelItem, TheQuantityTakesDigitsOnly) {
    products_.setRowSelected(1, true);
    products_.setText(1, 11, QStringLiteral("3,7"));
    QString proposta;
    QString typed;
    run([&](FrmCancelaProdutos& form) {
        auto* box = form.findChild<QLineEdit*>(QStringLiteral("txtQuantidade"));
        proposta = box->text();
        form.show();
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, QStringLiteral("1a,-2"));
        typed = box->text();
        form.cmdCancel_Click();
    });
    EXPECT_EQ(proposta, QStringLiteral("3")) << "the numeric value of column 11";
    EXPECT_EQ(typed, QStringLiteral("12"));
    EXPECT_TRUE(comm_.sent.isEmpty());
}
