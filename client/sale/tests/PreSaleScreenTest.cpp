// The pre-sale and sale screen (FormPreVenda) on the offscreen platform,
// against the scripted communication library: read-back, search, the single
// result and the query list, edit, delete, finalise, abandon.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPointer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "messaging/GridLoaders.h"
#include "messaging/PriceSystem.h"
#include "sale/FormConsultaProdutos.h"
#include "sale/FormPreVenda.h"
#include "sale/FormSelecaoProduto.h"
#include "sale/tests/PreSaleStation.h"

using namespace vtx::client;
using namespace vtx::client::sale;
using vtx::client::sale::test::PreSaleStation;
namespace Col = PreSaleColumn;

namespace {

// The external price system: one bar-code look-up answer.
class FakePriceSystem : public PriceSystem {
public:
    int logon(const QString&) override { return 0; }
    int leProdCategCompl(const QString&, const QString&, Registro&) override { return 1; }
    int leProdEan(const QString&, const QString& produto, Registro& out) override {
        lookups << produto;
        out.descricao = QStringLiteral("DIPIRONA");
        out.preco = QStringLiteral("10,00");
        out.associados = {QStringLiteral("7890000000017")};
        return 0;
    }
    int logoff() override { return 0; }
    QStringList lookups;
};

const QString kProduto1 = QStringLiteral("7890000000017;ANALGESICO;1");
const QString kProduto2 = QStringLiteral("7890000000024;GOTAS;2");

class PreSaleScreen : public ::testing::Test {
protected:
    void SetUp() override { session().settings.TelaAtual = QStringLiteral("PREVENDA"); }

    ClientSession& session() { return st_.f.session; }
    std::unique_ptr<FormPreVenda> open(const QString& tela) {
        session().settings.TelaAtual = tela;
        auto form = std::make_unique<FormPreVenda>(session(), st_.host);
        form->abre();
        return form;
    }
    template <class W>
    W* child(QWidget& form, const char* name) {
        W* w = form.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void search(FormPreVenda& form, const QString& text) {
        child<QLineEdit>(form, "txtPesquisa")->setText(text);
        form.cmdPesquisa_Click();
    }
    QStringList texts() const { return st_.f.dialogs.texts(); }

    PreSaleStation st_;
};

}  // namespace

TEST_F(PreSaleScreen, SaleReadBackWithoutProductsShowsTheSearchArea) {
    session().captions.setValue("FormPreVenda", "cmdAdicionaProduto_Caption",
                                QStringLiteral("N    F3 - &Adiciona Produto"));
    session().settings.TelaAtual = QStringLiteral("VENDA");
    st_.elegibilidade(PreSaleStation::leitura({}, 0));
    auto form = open(QStringLiteral("VENDA"));
    EXPECT_EQ(form->grid().maxRows(), 0);
    EXPECT_FALSE(child<QGroupBox>(*form, "fraProduto")->isHidden());
    // The first activation enables the add button whatever the caption says.
    EXPECT_TRUE(child<QPushButton>(*form, "cmdAdicionaProduto")->isEnabled());
    EXPECT_FALSE(session().produtosLidos);
    EXPECT_EQ(child<QLineEdit>(*form, "txtNSU")->text(), QStringLiteral("000777"));
    EXPECT_FALSE(child<QLineEdit>(*form, "txtNrDocFiscal")->isHidden());
    EXPECT_TRUE(st_.captions.last().startsWith(
        QStringLiteral("Vantorix Client      Tela 0011 - Autorização    07/12/2026")));
    EXPECT_EQ(st_.f.comm.sent.size(), 1) << "nothing but the eligibility";
}

TEST_F(PreSaleScreen, SaleReadBackPageByPageHidesTheSearch) {
    session().settings.TelaAtual = QStringLiteral("VENDA");
    st_.elegibilidade(PreSaleStation::leitura(
        {"7890000000017;1;002;1250;1000;1125;900", "7890000000024;2;001;1590;1000;1431;1431"}, 1));
    st_.f.comm.answerText(PreSaleStation::leitura({"7890000000031;1;003;4870;2500;3652;2922"}, 0));
    auto form = open(QStringLiteral("VENDA"));
    ASSERT_EQ(form->grid().maxRows(), 3) << texts().join(" | ").toStdString();
    EXPECT_EQ(st_.sentField(QStringLiteral("900-000")), QStringLiteral("1"));
    EXPECT_EQ(form->grid().text(3, Col::kCodigo), QStringLiteral("7890000000031"));
    EXPECT_TRUE(child<QGroupBox>(*form, "fraProduto")->isHidden());
    EXPECT_TRUE(session().produtosLidos);
    form->spdProduto_KeyPress('A');
    EXPECT_TRUE(child<QLineEdit>(*form, "txtPesquisa")->text().isEmpty()) << "no hidden search";
    // The first activation already shows the totals: 2x11,25 + 14,31 + 3x36,52.
    EXPECT_EQ(child<QLineEdit>(*form, "txtTotVend")->text(), QStringLiteral("146,37"));
    EXPECT_EQ(child<QLineEdit>(*form, "txtTotCred")->text(), QStringLiteral("119,97"));
    EXPECT_EQ(child<QLineEdit>(*form, "txtTotBen")->text(), QStringLiteral("40,63"));
}

TEST_F(PreSaleScreen, ReadBackStopsAtTheFirstRefusedPage) {
    session().settings.TelaAtual = QStringLiteral("VENDA");
    st_.elegibilidade(PreSaleStation::leitura({"7890000000017;1;002;1250;1000;1125;900"}, 1));
    st_.f.comm.answerText(QStringLiteral("009-000=51;010-000=PAGINA INVALIDA;"));
    auto form = open(QStringLiteral("VENDA"));
    EXPECT_EQ(form->grid().maxRows(), 1);
    EXPECT_TRUE(child<QGroupBox>(*form, "fraProduto")->isHidden());
    EXPECT_FALSE(form->fechada());
}

TEST_F(PreSaleScreen, ThirteenDigitsSkipTheExternalSystemFourteenAreRefused) {
    FakePriceSystem prices;
    session().priceSystem = &prices;
    session().settings.IdentificaCartaoDS = true;
    auto form = open(QStringLiteral("PREVENDA"));
    EXPECT_TRUE(child<QLineEdit>(*form, "txtNrDocFiscal")->isHidden());

    search(*form, QStringLiteral("12345678901234"));
    EXPECT_EQ(texts().last(),
              QStringLiteral("O Código do produto não pode ser maior que 13 dígitos!"));
    EXPECT_TRUE(st_.f.comm.sent.isEmpty());

    st_.f.comm.answerText(PreSaleStation::consulta({kProduto1}, 0));
    search(*form, QStringLiteral("7890000000017"));
    EXPECT_TRUE(prices.lookups.isEmpty());
    EXPECT_EQ(st_.sentField(QStringLiteral("920-000")), QStringLiteral("7890000000017"));

    // A short code is resolved through the external system first.
    st_.f.comm.answerText(PreSaleStation::consulta({kProduto1}, 0));
    search(*form, QStringLiteral("1234"));
    EXPECT_EQ(prices.lookups, QStringList{QStringLiteral("1234")});
    EXPECT_EQ(st_.sentField(QStringLiteral("920-000")), QStringLiteral("7890000000017"));
    EXPECT_TRUE(child<QLineEdit>(*form, "txtPesquisa")->text().isEmpty());

    search(*form, QStringLiteral("   "));
    EXPECT_EQ(texts().last(), QStringLiteral("Por favor digite pelo menos uma letra!"));
}

TEST_F(PreSaleScreen, TheSameSingleProductTwiceGivesQuantityTwo) {
    auto form = open(QStringLiteral("PREVENDA"));
    st_.f.comm.answerText(PreSaleStation::consulta({kProduto1}, 0));
    search(*form, QStringLiteral("ANALG"));
    st_.f.comm.answerText(PreSaleStation::consulta({kProduto1}, 0));
    search(*form, QStringLiteral("ANALG"));
    ASSERT_EQ(form->grid().maxRows(), 1);
    EXPECT_EQ(form->grid().text(1, Col::kQuantidade), QStringLiteral("2"));
    EXPECT_EQ(child<QLineEdit>(*form, "txtTotVend")->text(), QStringLiteral("22,50"));
    EXPECT_EQ(child<QLineEdit>(*form, "txtTotBen")->text(), QStringLiteral("2,50"));
    EXPECT_EQ(st_.f.dialogs.forms(), QStringList{}) << "no list for a single result";
}

TEST_F(PreSaleScreen, SearchWithoutResultsAddsNothing) {
    auto form = open(QStringLiteral("PREVENDA"));
    st_.f.comm.answerText(PreSaleStation::consulta({}, 0));
    search(*form, QStringLiteral("NADA"));
    EXPECT_EQ(form->grid().maxRows(), 0);
    EXPECT_EQ(texts().last(), QStringLiteral("Não foram encontrados produtos"));
    st_.f.comm.answerText(QStringLiteral("009-000=51;010-000=SEM PRODUTOS;"));
    search(*form, QStringLiteral("NADA"));
    EXPECT_EQ(texts().last(), QStringLiteral("Produto não encontrado!"));
    EXPECT_TRUE(child<QPushButton>(*form, "cmdPesquisa")->isEnabled());
}

TEST_F(PreSaleScreen, PagesAreFetchedUntilAPageFullAndTheListIsOffered) {
    auto form = open(QStringLiteral("PREVENDA"));
    st_.f.comm.answerText(PreSaleStation::consulta({kProduto1}, 1));
    st_.f.comm.answerText(PreSaleStation::consulta({kProduto2}, 0));
    st_.f.dialogs.onForm(QStringLiteral("FormConsultaProdutos"), [&](ModalForm& modal) {
        auto& lista = dynamic_cast<FormConsultaProdutos&>(modal);
        EXPECT_EQ(lista.grid().maxRows(), 2);
        lista.grid().setActiveRow(2);
        lista.cmdConfirma_Click();
        return 0;
    });
    st_.f.dialogs.onForm(QStringLiteral("FormSelecaoProduto"), [&](ModalForm& modal) {
        auto& entrada = dynamic_cast<FormSelecaoProduto&>(modal);
        entrada.findChild<QLineEdit*>(QStringLiteral("txtQuantidade"))->setText(QStringLiteral("3"));
        entrada.cmdOk_Click();
        return 0;
    });
    search(*form, QStringLiteral("ANALG"));
    EXPECT_EQ(st_.sentField(QStringLiteral("900-000")), QStringLiteral("1"));
    EXPECT_EQ(st_.f.dialogs.forms(),
              (QStringList{QStringLiteral("FormConsultaProdutos"), QStringLiteral("FormSelecaoProduto")}));
    ASSERT_EQ(form->grid().maxRows(), 1) << texts().join(" | ").toStdString();
    EXPECT_EQ(form->grid().text(1, Col::kCodigo), QStringLiteral("7890000000024"));
    EXPECT_EQ(form->grid().text(1, Col::kQuantidade), QStringLiteral("3"));
    EXPECT_TRUE(session().novoProduto);
}

TEST_F(PreSaleScreen, APageThatListsNothingNewEndsThePaging) {
    auto form = open(QStringLiteral("PREVENDA"));
    st_.f.comm.answerText(PreSaleStation::consulta({kProduto1}, 1));
    for (int i = 0; i < 3; ++i)
        st_.f.comm.answerText(QStringLiteral("009-000=00;900-000=1;901-000=00;"));
    search(*form, QStringLiteral("ANALG"));
    EXPECT_EQ(st_.f.comm.sent.size(), 2) << "one empty page, then no more requests";
    EXPECT_EQ(form->grid().maxRows(), 0) << "a continuation pending: nothing taken";
}

TEST_F(PreSaleScreen, DeletingTheLastRowShowsTheSearchArea) {
    session().settings.TelaAtual = QStringLiteral("VENDA");
    st_.elegibilidade(PreSaleStation::leitura({"7890000000017;1;002;1250;1000;1125;900"}, 0));
    auto form = open(QStringLiteral("VENDA"));
    ASSERT_TRUE(child<QGroupBox>(*form, "fraProduto")->isHidden());
    form->cmdExcluir_Click();
    EXPECT_EQ(form->grid().maxRows(), 0);
    EXPECT_FALSE(child<QGroupBox>(*form, "fraProduto")->isHidden());
    EXPECT_EQ(child<QLineEdit>(*form, "txtTotVend")->text(), QStringLiteral("0,00"));
    form->cmdExcluir_Click();
    EXPECT_EQ(texts().last(), QStringLiteral("Não existe produto a ser cancelado."));
    form->cmdEditar_Click();
    EXPECT_EQ(texts().last(), QStringLiteral("Não existe produto para ser editado"));
    form->cmdConfirma_Click();
    EXPECT_EQ(texts().last(), QStringLiteral("Não existem produtos."));
    EXPECT_FALSE(form->fechada());
}

TEST_F(PreSaleScreen, EditingAReadBackProductIsHeldToItsQuantity) {
    session().settings.TelaAtual = QStringLiteral("VENDA");
    st_.elegibilidade(PreSaleStation::leitura({"7890000000017;1;002;1250;1000;1125;900"}, 0));
    auto form = open(QStringLiteral("VENDA"));
    QString quantidade = QStringLiteral("3");
    st_.f.dialogs.onForm(QStringLiteral("FormSelecaoProduto"), [&](ModalForm& modal) {
        auto& entrada = dynamic_cast<FormSelecaoProduto&>(modal);
        EXPECT_TRUE(entrada.findChild<QLineEdit*>(QStringLiteral("txtPrc_Bruto_Prd"))->isReadOnly());
        EXPECT_TRUE(entrada.findChild<QLineEdit*>(QStringLiteral("txtValDescPrd"))->isReadOnly());
        entrada.findChild<QLineEdit*>(QStringLiteral("txtQuantidade"))->setText(quantidade);
        entrada.cmdOk_Click();
        return 0;
    });
    form->grid().setActiveRow(1);
    form->cmdEditar_Click();
    EXPECT_EQ(texts().last(), QStringLiteral(
        "A quantidade digitada não pode ser maior que a quantidade da pré-autorização!"));
    EXPECT_EQ(form->grid().text(1, Col::kQuantidade), QStringLiteral("002"));
    quantidade = QStringLiteral("1");
    form->cmdEditar_Click();
    EXPECT_EQ(form->grid().text(1, Col::kQuantidade), QStringLiteral("1"));
    EXPECT_EQ(child<QLineEdit>(*form, "txtTotVend")->text(), QStringLiteral("11,25"));
}

TEST_F(PreSaleScreen, FiscalDocumentMinimumThenTheSaleWithReceiptAndExport) {
    session().settings.TelaAtual = QStringLiteral("VENDA");
    session().settings.MsgApproval = QStringLiteral("Venda aprovada NSU");
    session().settings.LayoutArquivo = 1;
    session().settings.FileAux = QStringLiteral("C:\\TRC\\");
    st_.root.writeFile("C/TRC/.keep", "");
    st_.elegibilidade(PreSaleStation::leitura({"7890000000017;1;002;1250;1000;1125;900"}, 0));
    auto form = open(QStringLiteral("VENDA"));
    auto* documento = child<QLineEdit>(*form, "txtNrDocFiscal");
    QTest::keyClicks(documento, QStringLiteral("12a345"));
    EXPECT_EQ(documento->text(), QStringLiteral("12345")) << "digits only";
    form->cmdConfirma_Click();
    EXPECT_EQ(texts().last(),
              QStringLiteral("O Número do Documento Fiscal deve ser maior que 6dígitos."));
    EXPECT_EQ(st_.f.comm.sent.size(), 1);
    EXPECT_TRUE(child<QPushButton>(*form, "cmdConfirma")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*form, "cmdAdicionaProduto")->isEnabled())
        << "no adding to products read back";

    st_.f.comm.answerText(QStringLiteral(
        "009-000=00;012-000=000777;901-000=01;902-000=0007890000000017;905-000=002;910-000=1250;"
        "909-000=1000;911-000=1125;912-000=900;919-000=00;028-000=2;029-000=LINHA 0;"));
    documento->setText(QStringLiteral("123456"));
    form->cmdConfirma_Click();
    EXPECT_EQ(st_.sentField(QStringLiteral("002-000")), QStringLiteral("123456"));
    EXPECT_EQ(st_.sentField(QStringLiteral("011-000")), QStringLiteral("800300"));
    EXPECT_TRUE(texts().contains(QStringLiteral("Venda aprovada NSU 000777")))
        << texts().join(" | ").toStdString();
    EXPECT_EQ(st_.receipts, 1);
    EXPECT_TRUE(QFile::exists(st_.root.native("C/TRC/777.TRC").c_str()));
    EXPECT_TRUE(form->fechada());
    EXPECT_EQ(st_.cardScreens, 1);
    EXPECT_TRUE(session().settings.TelaAtual.isEmpty());
    EXPECT_TRUE(st_.closeRoutines.empty());
}

TEST_F(PreSaleScreen, ARefusedPreSaleClosesTheScreen) {
    auto form = open(QStringLiteral("PREVENDA"));
    st_.f.comm.answerText(PreSaleStation::consulta({kProduto1}, 0));
    search(*form, QStringLiteral("ANALG"));
    st_.f.comm.answerText(QStringLiteral("009-000=51;010-000=SALDO INSUFICIENTE;"));
    form->cmdConfirma_Click();
    EXPECT_EQ(st_.sentField(QStringLiteral("011-000")), QStringLiteral("800200"));
    EXPECT_EQ(st_.sentField(QStringLiteral("002-000")), QStringLiteral("<absent>")) << "no fiscal document";
    EXPECT_TRUE(form->fechada());
    EXPECT_EQ(st_.receipts, 0);
    EXPECT_EQ(st_.cardScreens, 1);
}

TEST_F(PreSaleScreen, AnswersListingMoreProductsThanSentOrNone) {
    auto form = open(QStringLiteral("PREVENDA"));
    st_.f.comm.answerText(PreSaleStation::consulta({kProduto1}, 0));
    search(*form, QStringLiteral("ANALG"));
    // Two items for the one product sent: the second has no row to go to.
    st_.f.comm.answerText(QStringLiteral(
        "009-000=00;901-000=02;902-000=7890000000017;905-000=001;910-000=1250;909-000=1000;"
        "911-000=1125;912-000=900;919-000=00;902-001=7890000000024;905-001=009;919-001=00;"));
    form->cmdConfirma_Click();
    EXPECT_EQ(form->grid().maxRows(), 1);
    EXPECT_EQ(form->grid().text(1, Col::kQuantidade), QStringLiteral("001"));
    EXPECT_TRUE(form->fechada());

    auto other = open(QStringLiteral("PREVENDA"));
    st_.f.comm.answerText(PreSaleStation::consulta({kProduto2}, 0));
    search(*other, QStringLiteral("GOTAS"));
    st_.f.comm.answerText(QStringLiteral("009-000=00;901-000=00;"));
    other->cmdConfirma_Click();
    EXPECT_EQ(other->grid().text(1, Col::kQuantidade), QStringLiteral("1"));
    EXPECT_TRUE(other->fechada());
}

TEST_F(PreSaleScreen, AbandonAsksAndTheCloseCommandRunsIt) {
    auto form = open(QStringLiteral("PREVENDA"));
    ASSERT_EQ(st_.closeRoutines.count(QStringLiteral("PREVENDA")), 1u);
    st_.f.dialogs.queueAnswer(MessageAnswer::No);
    st_.closeRoutines[QStringLiteral("PREVENDA")]();
    const vtx::client::testing::ShownMessage& box = st_.f.dialogs.messages().back();
    EXPECT_EQ(box.request.text, QStringLiteral("Deseja abandonar operação?"));
    EXPECT_EQ(box.request.icon, MessageIcon::Critical);
    EXPECT_EQ(box.request.defaultButton, MessageAnswer::No);
    EXPECT_FALSE(form->fechada());
    st_.f.dialogs.queueAnswer(MessageAnswer::Yes);
    QTest::keyClick(child<QLineEdit>(*form, "txtPesquisa"), Qt::Key_Escape);
    EXPECT_TRUE(form->fechada());
    EXPECT_EQ(st_.cardScreens, 1);
    EXPECT_TRUE(st_.captions.last().isEmpty());
    EXPECT_TRUE(st_.closeRoutines.empty());
}

TEST_F(PreSaleScreen, TypingOnTheGridContinuesTheSearch) {
    auto form = open(QStringLiteral("PREVENDA"));
    form->spdProduto_KeyPress('A');
    form->spdProduto_KeyPress('B');
    EXPECT_EQ(child<QLineEdit>(*form, "txtPesquisa")->text(), QStringLiteral("AB"));
    form->spdProduto_KeyPress(27);
    EXPECT_EQ(child<QLineEdit>(*form, "txtPesquisa")->text(), QStringLiteral("AB"));
    form->spdProduto_KeyPress(8);
    EXPECT_TRUE(child<QLineEdit>(*form, "txtPesquisa")->text().isEmpty());
}

TEST_F(PreSaleScreen, TheOpenerPlacesTheScreenInTheScreenAreaAndItGoesOnClose) {
    QWidget area;
    area.resize(800, 600);
    area.show();
    st_.host.screenArea = &area;
    session().settings.TelaAtual = QStringLiteral("PREVENDA");
    abreFormPreVenda(session(), st_.host);
    QPointer<FormPreVenda> form = area.findChild<FormPreVenda*>();
    ASSERT_FALSE(form.isNull());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->geometry(), area.rect());

    // Several results: the list opens in the same area.
    st_.f.comm.answerText(PreSaleStation::consulta({kProduto1, kProduto2}, 0));
    QWidget* listParent = nullptr;
    st_.f.dialogs.onForm(QStringLiteral("FormConsultaProdutos"), [&](ModalForm& modal) {
        listParent = dynamic_cast<QWidget&>(modal).parentWidget();
        return 0;
    });
    search(*form, QStringLiteral("A"));
    EXPECT_EQ(listParent, &area);

    st_.f.dialogs.queueAnswer(MessageAnswer::Yes);
    st_.closeRoutines[QStringLiteral("PREVENDA")]();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
    EXPECT_EQ(st_.cardScreens, 1);
}
