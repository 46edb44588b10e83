// The rules below the pre-sale and product-entry screens: totals, search
// text, fiscal document, prices, the entry checks and the grid rules.
#include <gtest/gtest.h>

#include "core/testing/ScriptedDialogs.h"
#include "messaging/GridLoaders.h"
#include "messaging/tests/MessagingFixture.h"
#include "sale/FiscalDocument.h"
#include "sale/PreSaleGrid.h"
#include "sale/PreSaleTotals.h"
#include "sale/ProductEntryCheck.h"
#include "sale/ProductPricing.h"
#include "sale/SearchText.h"

using namespace vtx::client;
using namespace vtx::client::sale;
namespace Col = PreSaleColumn;

namespace {

void setRow(GridModel& grid, int row, const char* qtd, const char* bruto, const char* liquido,
            const char* receber) {
    grid.setText(row, Col::kQuantidade, QString::fromUtf8(qtd));
    grid.setText(row, Col::kPrecoBruto, QString::fromUtf8(bruto));
    grid.setText(row, Col::kPrecoLiquido, QString::fromUtf8(liquido));
    grid.setText(row, Col::kValorReceber, QString::fromUtf8(receber));
}

GridModel queryGrid(std::initializer_list<std::pair<const char*, const char*>> products) {
    GridModel grid(0, QueryColumn::kCount);
    for (const auto& [code, type] : products) {
        const int row = grid.maxRows() + 1;
        grid.setMaxRows(row);
        grid.setText(row, QueryColumn::kDescricao, QStringLiteral("PRODUTO ") + QString::number(row));
        grid.setText(row, QueryColumn::kFabricante, QStringLiteral("LAB"));
        grid.setText(row, QueryColumn::kTipoItem, QString::fromUtf8(type));
        grid.setText(row, QueryColumn::kPrecoBruto, QStringLiteral("12,50"));
        grid.setText(row, QueryColumn::kDesconto, QStringLiteral("10,00"));
        grid.setText(row, QueryColumn::kPrecoLiquido, QStringLiteral("11,25"));
        grid.setText(row, QueryColumn::kValorReceber, QStringLiteral("9,00"));
        grid.setText(row, QueryColumn::kCodigo, QString::fromUtf8(code));
        grid.setText(row, QueryColumn::kStatus, QStringLiteral("00"));
        grid.setText(row, QueryColumn::kValorCredito, QStringLiteral("2,25"));
    }
    return grid;
}

}  // namespace

TEST(PreSaleTotals, SumsQuantityTimesPricesAndIgnoresNonNumericCells) {
    GridModel grid(3, Col::kCount);
    setRow(grid, 1, "2", "12,50", "11,25", "9,00");
    setRow(grid, 2, "1", "abc", "x", "1,00");   // only the amount to collect counts
    setRow(grid, 3, "3x", "1.000,00", "900,00", "");  // quantity 3
    const PreSaleTotals t = calculaTotais(grid);
    EXPECT_EQ(textoTotal(t.venda), QStringLiteral("2722,50"));
    EXPECT_EQ(textoTotal(t.receber), QStringLiteral("19,00"));
    EXPECT_EQ(textoTotal(t.beneficios()), QStringLiteral("302,50"));
    EXPECT_EQ(textoTotal(calculaTotais(GridModel(0, Col::kCount)).venda), QStringLiteral("0,00"));
}

TEST(SearchText, EmptyLongShortAndExactCodes) {
    EXPECT_EQ(regraPesquisa(QStringLiteral("   "), false), RegraPesquisa::Vazia);
    EXPECT_EQ(regraPesquisa(QStringLiteral("12345678901234"), false), RegraPesquisa::CodigoLongo);
    EXPECT_EQ(regraPesquisa(QStringLiteral("12345678901234"), true), RegraPesquisa::CodigoLongo);
    // 13 digits go to the host even when the external system is used.
    EXPECT_EQ(regraPesquisa(QStringLiteral("7890000000017"), true), RegraPesquisa::Consulta);
    EXPECT_EQ(regraPesquisa(QStringLiteral("1234"), true), RegraPesquisa::SistemaExterno);
    EXPECT_EQ(regraPesquisa(QStringLiteral("1234"), false), RegraPesquisa::Consulta);
    EXPECT_EQ(regraPesquisa(QStringLiteral("DIPIRONA 500MG 20 COMPRIMIDOS"), true),
              RegraPesquisa::Consulta);
}

TEST(FiscalDocument, BlankShortAndNonNumeric) {
    const CaptionEntry campo = CaptionEntry::parseSlot(QStringLiteral("N0610Nr Doc. Fiscal"), 1);
    ASSERT_EQ(campo.minLength, 6);
    EXPECT_EQ(validaDocumentoFiscal(QStringLiteral("  "), campo), kTextoDocumentoVazio);
    EXPECT_EQ(validaDocumentoFiscal(QStringLiteral("12345"), campo),
              QStringLiteral("O Número do Documento Fiscal deve ser maior que 6dígitos."));
    EXPECT_EQ(validaDocumentoFiscal(QStringLiteral("12345A"), campo), kTextoSomenteNumeros);
    EXPECT_FALSE(validaDocumentoFiscal(QStringLiteral("123456"), campo));
    const CaptionEntry livre = CaptionEntry::parseSlot(QStringLiteral("A0610Nr Doc. Fiscal"), 1);
    EXPECT_FALSE(validaDocumentoFiscal(QStringLiteral("12345A"), livre));
}

TEST(ProductPricing, NetPriceAndProportionalAmount) {
    EXPECT_EQ(calculaPrecoLiquido(QStringLiteral("100,00"), QStringLiteral("10,00")),
              QStringLiteral("90,00"));
    EXPECT_FALSE(calculaPrecoLiquido(QStringLiteral("abc"), QStringLiteral("10,00")));
    EXPECT_FALSE(calculaPrecoLiquido(QStringLiteral("100,00"), QString()));

    const ValorProporcional v = calculaValorReceber(QStringLiteral("90,00"), QStringLiteral("80,00"),
                                                    QStringLiteral("100,00"));
    EXPECT_EQ(v.falha, ValorProporcional::Falha::Nenhuma);
    EXPECT_EQ(v.valor, QStringLiteral("72,00"));
    EXPECT_EQ(calculaValorReceber(QStringLiteral("90,00"), QStringLiteral("80,00"),
                                  QStringLiteral("0,00")).falha,
              ValorProporcional::Falha::DivisaoPorZero);
    EXPECT_EQ(calculaValorReceber(QStringLiteral("9x"), QStringLiteral("80,00"),
                                  QStringLiteral("100,00")).falha,
              ValorProporcional::Falha::LiquidoNaoNumerico);

    EXPECT_TRUE(descontoMenorQueOriginal(QStringLiteral("5,00"), QStringLiteral("10,00")));
    EXPECT_FALSE(descontoMenorQueOriginal(QStringLiteral("10,00"), QStringLiteral("10,00")));
    EXPECT_FALSE(descontoMenorQueOriginal(QStringLiteral("12,00"), QStringLiteral("10,00")));
}

class EntryChecks : public ::testing::Test {
protected:
    EntradaProduto valid() const {
        EntradaProduto e;
        e.quantidade = QStringLiteral("1");
        e.desconto = QStringLiteral("10,00");
        e.precoBruto = QStringLiteral("100,00");
        e.precoLiquido = QStringLiteral("90,00");
        e.campo3.kind = QStringLiteral("A");
        e.campo3.minLength = 3;
        e.campo3.label = QStringLiteral("Receita             ");
        return e;
    }
    static QString fails(const EntradaProduto& e) {
        const auto f = ValidaCampos(e);
        return f ? f->mensagem : QString();
    }
};

TEST_F(EntryChecks, EachCheckInOrder) {
    EXPECT_FALSE(ValidaCampos(valid()));
    EntradaProduto e = valid();
    e.quantidade = QStringLiteral("0");
    EXPECT_EQ(ValidaCampos(e)->campo, CampoProduto::Quantidade);
    EXPECT_EQ(fails(e), QStringLiteral("Digite a quantidade."));
    e = valid();
    e.desconto = QStringLiteral("1O,00");
    EXPECT_EQ(fails(e), QStringLiteral("O desconto deve conter apenas números."));
    e.desconto = QStringLiteral("99,99");
    EXPECT_FALSE(ValidaCampos(e));
    e.desconto = QStringLiteral("100,00");
    EXPECT_EQ(fails(e), QStringLiteral("O desconto não pode ser maior que 99,99"));
    EXPECT_EQ(ValidaCampos(e)->campo, CampoProduto::Desconto);
    e = valid();
    e.precoBruto = QString();
    EXPECT_EQ(fails(e), QStringLiteral("O Preço bruto deve conter apenas números."));
    e = valid();
    e.precoLiquido = QStringLiteral("0,00");
    EXPECT_EQ(fails(e), QStringLiteral("O Preço líquido deve ser maior que 0,00."));
    EXPECT_EQ(ValidaCampos(e)->campo, CampoProduto::PrecoBruto);
    e.precoLiquido = QStringLiteral("0,01");
    EXPECT_FALSE(ValidaCampos(e));
}

TEST_F(EntryChecks, ComplementOnlyWhenShown) {
    EntradaProduto e = valid();
    e.complemento = QStringLiteral("AB");
    EXPECT_FALSE(ValidaCampos(e));
    e.complementoVisivel = true;
    EXPECT_EQ(fails(e), QStringLiteral("O campo Receita só aceita números."));
    EXPECT_EQ(ValidaCampos(e)->campo, CampoProduto::Complemento);
    e.complemento = QStringLiteral("12");
    EXPECT_EQ(fails(e), QStringLiteral("O campo Receita deve conter pelo menos 3 dígito(s)."));
    e.complemento = QStringLiteral("123");
    EXPECT_FALSE(ValidaCampos(e));
    e.campo3.kind = QStringLiteral("N");
    e.complemento = QStringLiteral("ABC");
    EXPECT_FALSE(ValidaCampos(e));
}

TEST(PreSaleGrid, ColumnsPerVariant) {
    IdentificationField campo3;
    GridModel grid;
    configuraColunasPreVenda(grid, false, campo3);
    EXPECT_EQ(grid.maxCols(), Col::kCount);
    EXPECT_TRUE(grid.isColumnHidden(Col::kComplemento));
    EXPECT_TRUE(grid.isColumnHidden(Col::kValorCredito));
    campo3.kind = QStringLiteral("N");
    campo3.label = QStringLiteral("Receita             ");
    configuraColunasPreVenda(grid, false, campo3);
    EXPECT_FALSE(grid.isColumnHidden(Col::kComplemento));
    EXPECT_EQ(grid.headingText(Col::kComplemento), QStringLiteral("Receita"));
    configuraColunasPreVenda(grid, true, campo3);
    EXPECT_TRUE(grid.isColumnHidden(Col::kComplemento));
}

TEST(PreSaleGrid, SingleResultAddedThenIncremented) {
    const GridModel consulta = queryGrid({{"7890000000017", "1"}});
    GridModel pre(0, Col::kCount);
    EXPECT_EQ(adicionaProdutoUnico(pre, consulta, 1), 1);
    EXPECT_EQ(pre.text(1, Col::kQuantidade), QStringLiteral("1"));
    EXPECT_EQ(pre.text(1, Col::kPrecoBruto), QStringLiteral("12,50"));
    EXPECT_EQ(pre.text(1, Col::kValorReceber), QStringLiteral("9,00"));
    EXPECT_EQ(pre.text(1, Col::kCodigo), QStringLiteral("7890000000017"));
    EXPECT_EQ(pre.text(1, Col::kStatus), QStringLiteral("00"));
    EXPECT_EQ(pre.text(1, Col::kValorCredito), QStringLiteral("2,25"));
    EXPECT_TRUE(pre.text(1, Col::kComplemento).isEmpty());
    EXPECT_EQ(adicionaProdutoUnico(pre, consulta, 1), 1);
    EXPECT_EQ(pre.maxRows(), 1);
    EXPECT_EQ(pre.text(1, Col::kQuantidade), QStringLiteral("2"));
    // Same code, other item type: another product.
    const GridModel outro = queryGrid({{" 7890000000017 ", "2"}});
    EXPECT_EQ(adicionaProdutoUnico(pre, outro, 1), 2);
    EXPECT_EQ(linhaDoProduto(pre, QStringLiteral("7890000000017"), QStringLiteral("2")), 2);
}

TEST(PreSaleGrid, ObtemProdutoMapsBothGrids) {
    GridModel consulta = queryGrid({{"7890000000017", "1"}});
    ProdutoAtual p;
    EXPECT_FALSE(ObtemProduto(p, consulta, OrigemProduto::Consulta));  // no active row
    consulta.setActiveRow(1);
    ASSERT_TRUE(ObtemProduto(p, consulta, OrigemProduto::Consulta));
    EXPECT_EQ(p.quantidade, QStringLiteral("1"));
    EXPECT_EQ(p.precoBruto, QStringLiteral("12,50"));
    EXPECT_EQ(p.codigo, QStringLiteral("7890000000017"));
    EXPECT_EQ(p.status, QStringLiteral("00"));
    EXPECT_EQ(p.valorCredito, QStringLiteral("2,25"));

    GridModel pre(0, Col::kCount);
    adicionaProdutoUnico(pre, consulta, 1);
    pre.setText(1, Col::kQuantidade, QStringLiteral("4"));
    pre.setText(1, Col::kComplemento, QStringLiteral("999"));
    ASSERT_TRUE(ObtemProduto(p, pre, OrigemProduto::PreVenda));
    EXPECT_EQ(p.quantidade, QStringLiteral("4"));
    EXPECT_EQ(p.valorReceber, QStringLiteral("9,00"));
    EXPECT_EQ(p.fabricante, QStringLiteral("LAB"));
    EXPECT_TRUE(p.status.isEmpty());
    EXPECT_TRUE(p.complemento.isEmpty());  // the complement is never loaded
}

TEST(PreSaleGrid, EntryTargetRowAndWrite) {
    vtx::client::test::MessagingFixture f;
    GridModel pre(0, Col::kCount);
    adicionaProdutoUnico(pre, queryGrid({{"7890000000017", "1"}}), 1);
    pre.setText(1, Col::kQuantidade, QStringLiteral("3"));
    ProdutoAtual p;
    pre.setActiveRow(1);
    ObtemProduto(p, pre, OrigemProduto::PreVenda);

    // A new product already listed: No leaves the grid untouched.
    f.session.novoProduto = true;
    p.quantidade = QStringLiteral("9");
    f.dialogs.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(PrencherGridPre(f.session, pre, p));
    EXPECT_EQ(f.dialogs.texts(), QStringList{kTextoJaSelecionado});
    EXPECT_EQ(pre.text(1, Col::kQuantidade), QStringLiteral("3"));
    f.dialogs.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(PrencherGridPre(f.session, pre, p));
    EXPECT_EQ(pre.text(1, Col::kQuantidade), QStringLiteral("9"));

    // Editing read-back products: no more than the pre-authorisation's quantity.
    f.dialogs.clear();
    f.session.novoProduto = false;
    f.session.produtosLidos = true;
    p.quantidade = QStringLiteral("10");
    EXPECT_EQ(ValidaProduto_Grid_Pre(f.session, pre, p), 0);
    EXPECT_EQ(f.dialogs.texts(), QStringList{kTextoQuantidadePre});
    EXPECT_EQ(f.dialogs.messages().back().request.icon, MessageIcon::Information);
    p.quantidade = QStringLiteral("9");
    EXPECT_EQ(ValidaProduto_Grid_Pre(f.session, pre, p), 1);
    p.quantidade = QStringLiteral("2");
    p.complemento = QStringLiteral("55");
    EXPECT_TRUE(PrencherGridPre(f.session, pre, p));
    EXPECT_EQ(pre.text(1, Col::kQuantidade), QStringLiteral("2"));
    EXPECT_EQ(pre.text(1, Col::kComplemento), QStringLiteral("55"));
    EXPECT_EQ(pre.text(1, Col::kStatus), QStringLiteral("00"));  // not written here

    // A product not listed goes after the last row.
    p.codigo = QStringLiteral("7890000000024");
    EXPECT_EQ(ValidaProduto_Grid_Pre(f.session, pre, p), 2);
    EXPECT_TRUE(PrencherGridPre(f.session, pre, p));
    EXPECT_EQ(pre.maxRows(), 2);
}
