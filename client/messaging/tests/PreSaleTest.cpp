// Pre-authorisation and sale in batches of 12, the answers read back into
// the pre-sale grid, and the grid loaders.
#include <gtest/gtest.h>

#include "messaging/GridLoaders.h"
#include "messaging/RequestBuilders.h"
#include "messaging/tests/MessagingFixture.h"

using namespace vtx::client;
using vtx::client::test::MessagingFixture;
namespace Col = PreSaleColumn;

namespace {

// A pre-sale grid of `count` products with codes 100, 101, ...
GridModel preSaleGrid(int count) {
    GridModel grid(count, Col::kCount);
    for (int row = 1; row <= count; ++row) {
        grid.setText(row, Col::kCodigo, QString::number(99 + row));
        grid.setText(row, Col::kTipoItem, QStringLiteral("U"));
        grid.setText(row, Col::kQuantidade, QStringLiteral("1"));
        grid.setText(row, Col::kPrecoBruto, QStringLiteral("12,5"));
        grid.setText(row, Col::kPrecoLiquido, QStringLiteral("10,00"));
        grid.setText(row, Col::kValorCredito, QStringLiteral("0,00"));
    }
    return grid;
}

QString fieldValue(const QStringList& fields, const QString& key) {
    for (const QString& f : fields)
        if (f.startsWith(key + u'=')) return f.mid(8);
    return QStringLiteral("<absent>");
}

}  // namespace

TEST(PreSale, TwentyFiveProductsGoInThreeBatches) {
    MessagingFixture f;
    f.session.tipoTransacao = QStringLiteral("PREVENDA");
    GridModel grid = preSaleGrid(25);
    ASSERT_TRUE(CarregaItem_Grid(f.session, grid));
    EXPECT_EQ(f.session.produtos.qtdProdutos, 25);
    EXPECT_TRUE(Mensagem_GeracaoPre(f.session, grid, QStringLiteral("999")));
    ASSERT_EQ(f.comm.sent.size(), 3);
    const QString more[] = {"1", "1", "0"};
    const QString count[] = {"12", "12", "01"};
    for (int m = 0; m < 3; ++m) {
        QStringList fields = f.fieldsSent(m);
        EXPECT_EQ(fieldValue(fields, "000-000"), "0100");
        EXPECT_EQ(fieldValue(fields, "011-000"), "800200");
        EXPECT_EQ(fieldValue(fields, "002-000"), "<absent>") << "a pre-sale sends no document";
        EXPECT_EQ(fieldValue(fields, "900-000"), more[m]);
        EXPECT_EQ(fieldValue(fields, "901-000"), count[m]);
        EXPECT_EQ(fieldValue(fields, "902-000"), QString::number(100 + 12 * m).rightJustified(13, u'0'));
    }
    QStringList first = f.fieldsSent(0);
    EXPECT_EQ(fieldValue(first, "910-000"), "0001250");  // 12,5
    EXPECT_EQ(fieldValue(first, "911-000"), "0001000");  // credit "0,00": the net price
    EXPECT_EQ(fieldValue(first, "905-000"), "001");
    EXPECT_EQ(fieldValue(first, "914-000"), "00");
    EXPECT_EQ(fieldValue(first, "902-011"), "0000000000111");
    EXPECT_EQ(fieldValue(first, "902-012"), "<absent>");
    EXPECT_EQ(fieldValue(first, "012-000"), "<absent>") << "no NSU yet";
}

TEST(PreSale, SaleSendsTheDocumentAndReadsItemsBack) {
    MessagingFixture f;
    f.session.tipoTransacao = QStringLiteral("VENDA");
    f.session.nsu = QStringLiteral("77");
    GridModel grid = preSaleGrid(2);
    grid.setText(2, Col::kValorCredito, QStringLiteral("9,00"));
    ASSERT_TRUE(CarregaItem_Grid(f.session, grid));
    f.comm.answerText(QStringLiteral(
        "009-000=00;901-000=02;902-000=0000000000100;905-000=001;910-000=1250;909-000=0;"
        "911-000=1000;912-000=200;919-000=00;902-001=0000000000101;905-000=001;919-001=45;"));
    EXPECT_TRUE(Mensagem_GeracaoPre(f.session, grid, QStringLiteral("998877")));
    QStringList fields = f.fieldsSent();
    EXPECT_EQ(fieldValue(fields, "000-000"), "0200");
    EXPECT_EQ(fieldValue(fields, "011-000"), "800300");
    EXPECT_EQ(fieldValue(fields, "012-000"), "000000000077");
    EXPECT_EQ(fieldValue(fields, "002-000"), "998877");
    EXPECT_EQ(fieldValue(fields, "911-001"), "0000900");  // the value to credit wins
    EXPECT_EQ(grid.text(1, Col::kValorReceber), QStringLiteral("2,00"));
    EXPECT_EQ(grid.text(1, Col::kPrecoBruto), QStringLiteral("12,50"));
    EXPECT_EQ(grid.text(2, Col::kStatus), QStringLiteral("45"));
    EXPECT_EQ(f.session.produtos.valorReceber.value(0), QStringLiteral("2,00"));
}

TEST(PreSale, AnswerOutOfSequenceIsShown) {
    MessagingFixture f;
    f.session.tipoTransacao = QStringLiteral("PREVENDA");
    GridModel grid = preSaleGrid(1);
    CarregaItem_Grid(f.session, grid);
    f.comm.answerText(QStringLiteral("009-000=00;901-000=01;902-000=0000000000555;"));
    Mensagem_GeracaoPre(f.session, grid, {});
    EXPECT_EQ(f.dialogs.texts(),
              QStringList{QStringLiteral("A resposta da mensagem de pré-Autorização fora da sequência enviada")});
}

TEST(PreSale, AFailedBatchStopsTheBuilderAndTellsTheOperator) {
    MessagingFixture f;
    f.session.tipoTransacao = QStringLiteral("PREVENDA");
    GridModel grid = preSaleGrid(30);
    CarregaItem_Grid(f.session, grid);
    f.comm.answerText(QStringLiteral("009-000=00;"));
    f.comm.answer(-164);
    EXPECT_FALSE(Mensagem_GeracaoPre(f.session, grid, {}));
    EXPECT_EQ(f.comm.sent.size(), 2) << "the third batch is not sent after the second failed";
    EXPECT_EQ(f.dialogs.texts(), QStringList{QStringLiteral("164- Servidor fora do Ar.")});
}

TEST(PreSale, NonNumericPriceIsReportedNotSent) {
    MessagingFixture f;
    f.session.tipoTransacao = QStringLiteral("PREVENDA");
    GridModel grid = preSaleGrid(1);
    grid.setText(1, Col::kPrecoBruto, QStringLiteral("doze"));
    CarregaItem_Grid(f.session, grid);
    EXPECT_FALSE(Mensagem_GeracaoPre(f.session, grid, {}));
    EXPECT_TRUE(f.comm.sent.isEmpty());
    EXPECT_EQ(f.dialogs.texts().value(0), QStringLiteral("Ocorreu o erro: 13 - Type mismatch"));
}

TEST(PreSale, ReadBackFillsHiddenColumnsAndLists) {
    MessagingFixture f;
    f.session.RetornoMensagem = QStringLiteral(
        "0000009-000=00;901-000=02;902-000=7891234567890;906-000=U;905-000=003;910-000=1250;"
        "911-000=1000;912-000=300;909-000=500;919-000=00;902-001=7890000000001;905-001=001;");
    GridModel grid(0, Col::kCount);
    EXPECT_TRUE(Recupera_Pre(f.session, grid, 0));
    EXPECT_EQ(grid.maxRows(), 2);
    EXPECT_TRUE(grid.isColumnHidden(Col::kDescricao));
    EXPECT_EQ(grid.text(1, Col::kQuantidade), QStringLiteral("003"));
    EXPECT_EQ(grid.text(1, Col::kDesconto), QStringLiteral("5,00"));
    EXPECT_EQ(grid.text(2, Col::kCodigo), QStringLiteral("7890000000001"));
    EXPECT_EQ(f.session.produtos.codigo.value(1), QStringLiteral("7890000000001"));
}

TEST(GridLoaders, PreSaleRowsAndSelectedCancellationRows) {
    MessagingFixture f;
    GridModel empty(0, Col::kCount);
    EXPECT_FALSE(CarregaItem_Grid(f.session, empty));
    EXPECT_EQ(f.dialogs.texts().value(0), QStringLiteral("Ocorreu o erro: Não existem itens para cancelar."));

    GridModel products(3, 13);
    products.setText(1, 5, QStringLiteral("0000000000123"));
    products.setText(1, 10, QStringLiteral("2"));
    products.setText(2, 5, QStringLiteral("0000000000456"));
    EXPECT_TRUE(CancelaItem_Grid(f.session, products));
    EXPECT_EQ(f.session.produtos.codigo.size(), 0) << "rows but no selection: empty lists";
    products.setRowSelected(1, true);
    EXPECT_TRUE(CancelaItem_Grid(f.session, products));
    EXPECT_EQ(f.session.produtos.codigo, QStringList{QStringLiteral("123")});
    EXPECT_EQ(f.session.produtos.quantidade, QStringList{QStringLiteral("2")});
    EXPECT_EQ(f.session.produtos.qtdProdutos, 1);
}
