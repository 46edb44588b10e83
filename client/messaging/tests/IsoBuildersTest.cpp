// Requests in the ISO 8583 form, byte for byte.
#include <gtest/gtest.h>

#include "messaging/GridLoaders.h"
#include "messaging/RequestBuilders.h"
#include "messaging/tests/MessagingFixture.h"

using namespace vtx::client;
using vtx::client::test::MessagingFixture;

namespace {

struct IsoFixture : MessagingFixture {
    IsoFixture() { session.settings.MsgIso = true; }
};

}  // namespace

TEST(IsoRequests, EligibilityByteForByte) {
    IsoFixture f;
    f.session.tipoTransacao = QStringLiteral("PREVENDA");
    f.session.cartao = {QStringLiteral("6033120000001234"), QStringLiteral("123"), QString()};
    Mensagem_ElegPortador(f.session, 0);
    // Bits 3, 11, 12, 13, 32, 40, 41, 42, 48 and 55, in ascending order.
    EXPECT_EQ(f.comm.sent.last(), QStringLiteral("0100"
                                                 "2038000101C10200"
                                                 "800000"
                                                 "001111"
                                                 "140509"
                                                 "1207"
                                                 "09REDE ALFA"
                                                 "003"
                                                 "T4N8B6QX"
                                                 "123456789012345"
                                                 "00503123"
                                                 "0166033120000001234"));
}

TEST(IsoRequests, ProductRecordsOfPreSaleSaleAndCancellation) {
    IsoFixture f;
    GridModel grid(1, PreSaleColumn::kCount);
    grid.setText(1, PreSaleColumn::kCodigo, QStringLiteral("100"));
    grid.setText(1, PreSaleColumn::kTipoItem, QStringLiteral("U"));
    grid.setText(1, PreSaleColumn::kQuantidade, QStringLiteral("1"));
    grid.setText(1, PreSaleColumn::kPrecoBruto, QStringLiteral("12,5"));
    grid.setText(1, PreSaleColumn::kPrecoLiquido, QStringLiteral("10,00"));
    grid.setText(1, PreSaleColumn::kDesconto, QStringLiteral("2,5"));
    CarregaItem_Grid(f.session, grid);

    f.session.tipoTransacao = QStringLiteral("PREVENDA");
    Mensagem_GeracaoPre(f.session, grid, {});
    // Bit 63: code, type, quantity, gross, net, and the empty complement.
    EXPECT_TRUE(f.comm.sent.last().endsWith(
        QStringLiteral("047") + "0000000000100" + "U" + "001" + "0001250" + "0001000" + "00" +
        QString(14, u' ')))
        << f.comm.sent.last().toStdString();

    f.session.tipoTransacao = QStringLiteral("VENDA");
    f.session.produtos.complemento[0] = QStringLiteral("42");
    Mensagem_GeracaoPre(f.session, grid, QStringLiteral("77"));
    EXPECT_TRUE(f.comm.sent.last().endsWith(
        QStringLiteral("059") + "0000000000100" + "U" + "001" + "0001250" + "0001000" + "0001000" +
        "0000250" + "00000000000042"))
        << f.comm.sent.last().toStdString();

    f.session.produtos.clear();
    int i = f.session.produtos.appendEmpty();
    f.session.produtos.codigo[i] = QStringLiteral("123");
    f.session.produtos.tipoItem[i] = QStringLiteral("U");
    f.session.produtos.quantidade[i] = QStringLiteral("2");
    Mensagem_Cancelamento(f.session, false);
    EXPECT_TRUE(f.comm.sent.last().endsWith(QStringLiteral("017") + "0000000000123" + "U" + "002"))
        << f.comm.sent.last().toStdString();
}
