// The product entry (FormSelecaoProduto) and the product-query list
// (FormConsultaProdutos) on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "messaging/GridLoaders.h"
#include "messaging/RequestBuilders.h"
#include "sale/FormConsultaProdutos.h"
#include "sale/FormSelecaoProduto.h"
#include "sale/PreSaleGrid.h"
#include "sale/tests/PreSaleStation.h"

using namespace vtx::client;
using namespace vtx::client::sale;
using vtx::client::sale::test::PreSaleStation;
namespace Col = PreSaleColumn;

namespace {

class ProductEntry : public ::testing::Test {
protected:
    void SetUp() override {
        session().settings.AlertaValBrId = QStringLiteral("YYY");
        session().settings.AlertaDescId = QStringLiteral("YYY");
        produto_.codigo = QStringLiteral("7890000000017");
        produto_.descricao = QStringLiteral("ANALGESICO");
        produto_.tipoItem = QStringLiteral("1");
        produto_.quantidade = QStringLiteral("1");
        produto_.precoBruto = QStringLiteral("100,00");
        produto_.desconto = QStringLiteral("0,00");
        produto_.precoLiquido = QStringLiteral("100,00");
        produto_.valorReceber = QStringLiteral("80,00");
        session().novoProduto = true;
    }
    ClientSession& session() { return st_.f.session; }
    std::unique_ptr<FormSelecaoProduto> open() {
        return std::make_unique<FormSelecaoProduto>(session(), st_.host, grid_, produto_);
    }
    static QLineEdit* box(QWidget& form, const char* name) {
        auto* b = form.findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    QStringList texts() const { return st_.f.dialogs.texts(); }

    PreSaleStation st_;
    GridModel grid_{0, Col::kCount};
    ProdutoAtual produto_;
};

}  // namespace

TEST_F(ProductEntry, NetPriceAndTheAmountToCollectInProportion) {
    auto form = open();
    EXPECT_EQ(box(*form, "txtProduto")->text(), QStringLiteral("7890000000017 - ANALGESICO"));
    QLineEdit* desconto = box(*form, "txtValDescPrd");
    desconto->selectAll();
    QTest::keyClicks(desconto, QStringLiteral("1000"));
    EXPECT_EQ(desconto->text(), QStringLiteral("10,00"));
    form->txtValDescPrd_LostFocus();
    EXPECT_EQ(box(*form, "txtPrc_Liq_Prd")->text(), QStringLiteral("90,00"));
    EXPECT_EQ(box(*form, "txValor_Cred_Prd")->text(), QStringLiteral("72,00"));
    form->cmdOk_Click();
    EXPECT_TRUE(form->gravado());
    ASSERT_EQ(grid_.maxRows(), 1);
    EXPECT_EQ(grid_.text(1, Col::kPrecoLiquido), QStringLiteral("90,00"));
    EXPECT_EQ(grid_.text(1, Col::kValorReceber), QStringLiteral("72,00"));
    EXPECT_EQ(grid_.text(1, Col::kDesconto), QStringLiteral("10,00"));
    EXPECT_TRUE(texts().isEmpty()) << texts().join(" | ").toStdString();
}

TEST_F(ProductEntry, DiscountUpTo9999AndNetAboveZero) {
    auto form = open();
    box(*form, "txtValDescPrd")->setText(QStringLiteral("100,00"));
    form->cmdOk_Click();
    EXPECT_EQ(texts().last(), QStringLiteral("O desconto não pode ser maior que 99,99"));
    EXPECT_EQ(st_.f.dialogs.messages().back().request.icon, MessageIcon::Critical);
    EXPECT_EQ(grid_.maxRows(), 0);

    box(*form, "txtValDescPrd")->setText(QStringLiteral("99,99"));
    form->CalculaPrecoLiquido();
    EXPECT_EQ(box(*form, "txtPrc_Liq_Prd")->text(), QStringLiteral("0,01"));
    form->cmdOk_Click();
    EXPECT_TRUE(form->gravado());

    auto zero = open();
    box(*zero, "txtPrc_Bruto_Prd")->setText(QStringLiteral("0,00"));
    zero->CalculaPrecoLiquido();
    zero->cmdOk_Click();
    EXPECT_EQ(texts().last(), QStringLiteral("O Preço líquido deve ser maior que 0,00."));
    EXPECT_FALSE(zero->gravado());
}

TEST_F(ProductEntry, DiscountEditableOnlyWhereItsSwitchSaysY) {
    session().settings.AlertaDescId = QStringLiteral("NYN");
    session().settings.AlertaValBrId = QStringLiteral("NNN");
    for (qint16 tipo = 1; tipo <= 3; ++tipo) {
        session().settings.TipoEstab = tipo;
        auto form = open();
        EXPECT_EQ(box(*form, "txtValDescPrd")->isReadOnly(), tipo != 2) << tipo;
        EXPECT_TRUE(box(*form, "txtPrc_Bruto_Prd")->isReadOnly());
    }
    session().settings.TipoEstab = 1;
    auto form = open();
    QLineEdit* desconto = box(*form, "txtValDescPrd");
    QTest::keyClicks(desconto, QStringLiteral("55"));
    EXPECT_EQ(desconto->text(), QStringLiteral("0,00")) << "a locked box takes nothing";
}

TEST_F(ProductEntry, DiscountBelowTheOriginalIsPutBack) {
    produto_.desconto = QStringLiteral("10,00");
    produto_.precoLiquido = QStringLiteral("90,00");
    auto form = open();
    QLineEdit* desconto = box(*form, "txtValDescPrd");
    desconto->setText(QStringLiteral("5,00"));
    form->txtValDescPrd_LostFocus();
    EXPECT_EQ(texts().last(), QStringLiteral("Não é permitido desconto menor que o desconto original!"));
    EXPECT_EQ(st_.f.dialogs.messages().back().request.icon, MessageIcon::Information);
    EXPECT_EQ(desconto->text(), QStringLiteral("10,00"));
    EXPECT_EQ(box(*form, "txtPrc_Liq_Prd")->text(), QStringLiteral("90,00"));
}

TEST_F(ProductEntry, AnInitialNetOfZeroIsReportedNotACrash) {
    produto_.precoLiquido = QStringLiteral("0,00");
    auto form = open();
    box(*form, "txtPrc_Bruto_Prd")->setText(QStringLiteral("50,00"));
    form->CalculaPrecoLiquido();
    EXPECT_EQ(box(*form, "txtPrc_Liq_Prd")->text(), QStringLiteral("50,00"));
    EXPECT_EQ(box(*form, "txValor_Cred_Prd")->text(), QStringLiteral("80,00")) << "left as it was";
    ASSERT_FALSE(texts().isEmpty());
    EXPECT_TRUE(texts().last().contains(QStringLiteral("Division by zero")))
        << texts().last().toStdString();
    EXPECT_TRUE(st_.f.dialogs.messages().back().request.title.endsWith(
        QStringLiteral("CalculaValorReceberLoja")));
}

TEST_F(ProductEntry, AmountBoxesRefuseLettersPasteAndTooManyDigits) {
    auto form = open();
    QLineEdit* bruto = box(*form, "txtPrc_Bruto_Prd");
    QTest::keyClick(bruto, Qt::Key_Backspace);
    QTest::keyClicks(bruto, QStringLiteral("ab;'"));
    EXPECT_EQ(bruto->text(), QStringLiteral("0,00"));
    QTest::keyClicks(bruto, QStringLiteral("12345678901234567890"));
    EXPECT_LE(bruto->text().size(), 9);
    EXPECT_EQ(bruto->text(), QStringLiteral("12.345,67"));
    QApplication::clipboard()->setText(QStringLiteral("99abc"));
    const QString before = bruto->text();
    QTest::keyClick(bruto, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(bruto->text(), before);

    QLineEdit* desconto = box(*form, "txtValDescPrd");
    desconto->selectAll();
    QTest::keyClicks(desconto, QStringLiteral("12345678901234567890"));
    EXPECT_EQ(desconto->text(), QStringLiteral("12,34")) << "five characters at most";
    desconto->selectAll();
    QTest::keyClicks(desconto, QStringLiteral("7"));
    EXPECT_EQ(desconto->text(), QStringLiteral("0,07")) << "all selected: starts again";
    QTest::keyClick(desconto, Qt::Key_Backspace);
    EXPECT_EQ(desconto->text(), QStringLiteral("0,00"));
    QTest::keyClick(desconto, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(desconto->text(), QStringLiteral("0,00"));

    QLineEdit* quantidade = box(*form, "txtQuantidade");
    quantidade->clear();
    QTest::keyClicks(quantidade, QStringLiteral("2x5"));
    EXPECT_EQ(quantidade->text(), QStringLiteral("25"));
    QTest::keyClick(quantidade, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(quantidade->text(), QStringLiteral("25")) << "pasted letters refused";
}

TEST_F(ProductEntry, QuantityAndComplementChecks) {
    const QString line = QStringLiteral("REDE ALFA           ALFA0001").leftJustified(78, u' ') +
                         QStringLiteral("A0308Receita");
    session().operadoras.setRecords({OperatorRecord::parse(line)});
    auto form = open();
    QLineEdit* complemento = box(*form, "txtComplemento1");
    ASSERT_FALSE(complemento->isHidden());
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("lblCompl1"))->text(), QStringLiteral("Receita"));
    EXPECT_EQ(complemento->maxLength(), 8);
    box(*form, "txtQuantidade")->setText(QStringLiteral("0"));
    form->cmdOk_Click();
    EXPECT_EQ(texts().last(), QStringLiteral("Digite a quantidade."));
    box(*form, "txtQuantidade")->setText(QStringLiteral("2"));
    complemento->setText(QStringLiteral("12"));
    form->cmdOk_Click();
    EXPECT_EQ(texts().last(), QStringLiteral("O campo Receita deve conter pelo menos 3 dígito(s)."));
    complemento->setText(QStringLiteral("123"));
    form->cmdOk_Click();
    EXPECT_TRUE(form->gravado());
    EXPECT_EQ(grid_.text(1, Col::kComplemento), QStringLiteral("123"));
    EXPECT_EQ(grid_.text(1, Col::kQuantidade), QStringLiteral("2"));

    // Read-back products carry no complement.
    session().produtosLidos = true;
    auto lidos = open();
    EXPECT_TRUE(box(*lidos, "txtComplemento1")->isHidden());
}

TEST_F(ProductEntry, NoToTheAlreadySelectedQuestionLeavesTheGrid) {
    grid_.setMaxRows(1);
    grid_.setText(1, Col::kCodigo, produto_.codigo);
    grid_.setText(1, Col::kTipoItem, produto_.tipoItem);
    grid_.setText(1, Col::kQuantidade, QStringLiteral("4"));
    auto form = open();
    box(*form, "txtQuantidade")->setText(QStringLiteral("9"));
    st_.f.dialogs.queueAnswer(MessageAnswer::No);
    form->cmdOk_Click();
    EXPECT_EQ(texts().last(), QStringLiteral("Este produto já foi selecionado deseja alterar?"));
    EXPECT_FALSE(form->gravado());
    EXPECT_EQ(grid_.maxRows(), 1);
    EXPECT_EQ(grid_.text(1, Col::kQuantidade), QStringLiteral("4"));
    EXPECT_EQ(form->result(), QDialog::Accepted) << "the screen closes all the same";
}

TEST_F(ProductEntry, QueryListPagesOnTheLastRowAndSaysMoreFollow) {
    GridModel pre(0, Col::kCount);
    ProdutoAtual atual;
    int retornos = 0;
    FormConsultaProdutos lista(session(), st_.host, pre, atual, [&] { ++retornos; });
    lista.setPesquisa(QStringLiteral("ANALG"));
    st_.f.comm.answerText(PreSaleStation::consulta({"7890000000017;ANALGESICO;1"}, 1));
    ASSERT_TRUE(Mensagem_Consulta_Produtos(session(), QStringLiteral("ANALG"), 0, lista.grid(),
                                           ProductQueryTarget::QueryGrid));
    lista.show();
    lista.Form_Activate();
    auto* alerta = lista.findChild<QLabel*>(QStringLiteral("lblalerta"));
    EXPECT_FALSE(alerta->isHidden());
    EXPECT_EQ(alerta->text(),
              QStringLiteral("\" Existem Mais Itens. Para Consultá-los, tecle Page-Down\""));
    EXPECT_EQ(session().settings.TelaAtual, QStringLiteral("CONSULTAPRODUTOS"));
    ASSERT_EQ(st_.closeRoutines.count(QStringLiteral("CONSULTAPRODUTOS")), 1u);

    st_.f.comm.answerText(PreSaleStation::consulta({"7890000000024;GOTAS;2"}, 0));
    lista.grid().setActiveRow(1);
    EXPECT_TRUE(lista.spdProduto_KeyDown(Qt::Key_PageDown));
    EXPECT_EQ(st_.sentField(QStringLiteral("900-000")), QStringLiteral("1"));
    EXPECT_EQ(lista.grid().maxRows(), 2);
    EXPECT_TRUE(alerta->isHidden());
    lista.grid().setActiveRow(2);
    EXPECT_FALSE(lista.spdProduto_KeyDown(Qt::Key_Down)) << "no continuation: no request";

    st_.closeRoutines[QStringLiteral("CONSULTAPRODUTOS")]();
    EXPECT_EQ(retornos, 1);
    EXPECT_TRUE(lista.isHidden());
}

TEST_F(ProductEntry, QueryListRefusedPageAndEmptyConfirm) {
    GridModel pre(0, Col::kCount);
    ProdutoAtual atual;
    FormConsultaProdutos lista(session(), st_.host, pre, atual, [] {});
    lista.cmdConfirma_Click();
    EXPECT_EQ(texts().last(), QStringLiteral("Não existem produto selecionado!"));
    st_.f.comm.answerText(PreSaleStation::consulta({"7890000000017;ANALGESICO;1"}, 2));
    Mensagem_Consulta_Produtos(session(), QStringLiteral("ANALG"), 0, lista.grid(),
                               ProductQueryTarget::QueryGrid);
    lista.grid().setActiveRow(1);
    st_.f.comm.answerText(QStringLiteral("009-000=51;010-000=FIM;"));
    EXPECT_TRUE(lista.spdProduto_KeyDown(Qt::Key_PageDown));
    EXPECT_EQ(st_.sentField(QStringLiteral("900-000")), QStringLiteral("2"));
    EXPECT_EQ(texts().last(), QStringLiteral("Produto não encontrado!"));
    EXPECT_EQ(lista.grid().maxRows(), 1);
}
