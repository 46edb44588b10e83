// The receipt's list below the screen: the product table of a sale and the
// receipt lines of the last answer.
#include "sale/ReceiptLayout.h"

#include <gtest/gtest.h>

#include "messaging/tests/MessagingFixture.h"

using namespace vtx::client;
using namespace vtx::client::sale;

namespace {

const QString kUnderline = QString(38, u'_');
const QString kHeader2 = QStringLiteral("Qtd Prc.Brt.  % Desc. Prc.Liq. Prc.Rec");

ProductLists products(int count) {
    ProductLists p;
    for (int i = 0; i < count; ++i) {
        const int e = p.appendEmpty();
        p.codigo[e] = QStringLiteral("789123456789%1").arg(e);
        p.descricao[e] = QStringLiteral(" DIPIRONA 500MG ");
        p.tipoItem[e] = QStringLiteral("1");
        p.quantidade[e] = QStringLiteral("2");
        p.precoBruto[e] = QStringLiteral("12,50");
        p.desconto[e] = QStringLiteral("1,25");
        p.precoLiquido[e] = QStringLiteral("11,25");
        p.valorReceber[e] = QStringLiteral("5,00");
        p.status[e] = QStringLiteral("00");
    }
    return p;
}

void answer(ClientSession& session, const QString& fields) {
    session.RetornoMensagem = QStringLiteral("0000") + fields;
}

}  // namespace

TEST(ReceiptLayout, AProductLineIsLaidOutInItsColumnsAndAWidePriceShiftsTheRest) {
    ProductLists p = products(1);
    QStringList table = tabelaProdutos(p);
    ASSERT_EQ(table.size(), 6);
    EXPECT_EQ(table[0], QStringLiteral("Código        Descrição            Emb"));
    EXPECT_EQ(table[1], kHeader2);
    EXPECT_EQ(table[2], QString());
    EXPECT_EQ(table[3], QStringLiteral("7891234567890 DIPIRONA 500MG        1 "));
    EXPECT_EQ(table[4], QStringLiteral("  2    12,50    1,25    11,25     5,00"));
    EXPECT_EQ(table[5], kUnderline);
    EXPECT_EQ(table[4].size(), 38) << "the table is as wide as a receipt line";

    p.precoBruto[0] = QStringLiteral("1234567,50");  // 10 characters
    EXPECT_EQ(tabelaProdutos(p)[4], QStringLiteral("  21234567,50    1,25    11,25     5,00"));
    p.codigo[0] = QStringLiteral("123456789012345");  // wider than its column: not cut
    EXPECT_TRUE(tabelaProdutos(p)[3].startsWith(QStringLiteral("123456789012345DIPIRONA")));
}

TEST(ReceiptLayout, RefusedProductsLeaveOnlyTheirEmptyLine) {
    ProductLists p = products(3);
    p.status[0] = QStringLiteral("40");
    p.status[1] = QStringLiteral("51");
    p.status[2] = QStringLiteral("40");
    EXPECT_EQ(tabelaProdutos(p),
              (QStringList{QStringLiteral("Código        Descrição            Emb"), kHeader2,
                           QString(), QString(), QString(), kUnderline}));
    p.status[1] = QStringLiteral("39");
    EXPECT_EQ(tabelaProdutos(p).size(), 8);
}

TEST(ReceiptLayout, WithoutADescriptionTheHeaderKeepsItsWidthInBlanks) {
    ProductLists p = products(1);
    p.descricao[0].clear();
    EXPECT_EQ(tabelaProdutos(p)[0], QStringLiteral("Código        ") + QString(19, u' ') +
                                        QStringLiteral("Emb"));
    EXPECT_EQ(tabelaProdutos(ProductLists{})[0],
              QStringLiteral("Código        ") + QString(19, u' ') + QStringLiteral("Emb"));
}

TEST(ReceiptLayout, TheTableOnlyPrecedesASaleWhenTheStationAsksForIt) {
    const ProductLists p = products(2);
    const QStringList recibo = {QStringLiteral("LINHA 0"), QStringLiteral("LINHA 1")};
    EXPECT_EQ(PreencheImpressao(p, true, QStringLiteral("VENDA"), recibo).size(), 2 + 2 * 3 + 1 + 2);
    EXPECT_EQ(PreencheImpressao(p, true, QStringLiteral("VENDA"), recibo).mid(9), recibo);
    EXPECT_EQ(PreencheImpressao(p, false, QStringLiteral("VENDA"), recibo), recibo);
    EXPECT_EQ(PreencheImpressao(p, true, QStringLiteral("PREVENDA"), recibo), recibo);
    EXPECT_EQ(PreencheImpressao(p, true, QStringLiteral("TRANSACOESDOLOTE"), recibo), recibo);
    EXPECT_EQ(PreencheImpressao(p, true, QStringLiteral("venda"), recibo), recibo);
}

TEST(ReceiptLines, TheCountIsInclusiveAndAbsentLinesAreEmpty) {
    vtx::client::test::MessagingFixture f;
    answer(f.session,
           QStringLiteral("009-000=00;028-000=03;029-000=  FARMACIA CENTRAL;029-001=CUPOM 1;"
                          "029-003=TOTAL 12,50;"));
    EXPECT_EQ(receiptLines(f.session),
              (QStringList{QStringLiteral("  FARMACIA CENTRAL"), QStringLiteral("CUPOM 1"),
                           QString(), QStringLiteral("TOTAL 12,50")}));

    answer(f.session, QStringLiteral("009-000=00;"));
    EXPECT_EQ(receiptLines(f.session), QStringList{QString()}) << "line 0 is always asked for";
}

TEST(ReceiptLines, ACountOf99WithThreeLinesListsThemAndBlanksUpTo99) {
    vtx::client::test::MessagingFixture f;
    answer(f.session, QStringLiteral("009-000=00;028-000=99;029-000=A;029-001=B;029-002=C;"));
    const QStringList lines = receiptLines(f.session);
    ASSERT_EQ(lines.size(), 100);
    EXPECT_EQ(lines.mid(0, 3), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(lines.mid(3).join(QString()), QString());
}

TEST(ReceiptLines, ACountBeyondThreeDigitLineNumbersStopsAtLine999) {
    vtx::client::test::MessagingFixture f;
    answer(f.session, QStringLiteral("009-000=00;028-000=30000;029-000=A;"));
    EXPECT_EQ(receiptLines(f.session).size(), 1000);
}
