// A whole sale through the client core, the communication library and
// vtx-hostsim over loopback, in the text form and in the ISO form:
// eligibility, pre-authorisation of three products, the pre-authorisation
// read back in the sale, the sale with its receipt, the confirmation — and
// the host's record of the sale.
#include <gtest/gtest.h>

#include "HostSimProcess.h"
#include "core/testing/ScriptedDialogs.h"
#include "field/LeadingNumber.h"
#include "messaging/GridLoaders.h"
#include "messaging/LoadedCommLibrary.h"
#include "messaging/MessageExchange.h"
#include "messaging/ReceiptLines.h"
#include "messaging/RequestBuilders.h"
#include "vtx/commlib/testing/StationHost.h"

using namespace vtx::client;
namespace Col = PreSaleColumn;

namespace {

const char* kCard = "6012345678901234";

// The NSU as the host's records write it (six digits); the answers carry it
// in six (text form) or twelve (ISO bit 37) digits.
std::string hostNsu(const QString& nsu) {
    return QString::number(leadingNumber(nsu)).rightJustified(6, u'0').toStdString();
}

class SaleIntegration : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        host_ = vtx::cli::test::stationHost(station_, "REDE ALFA           ALFA0001", "ALFA0001");
        ASSERT_TRUE(host_->start()) << host_->error();

        EstruturaPrincipal& s = session_.settings;
        s.PathServer = QStringLiteral("C:\\VANTRIX");
        s.CodigoEstab = QStringLiteral("000000000012345");
        s.CodigoAcesso = QString::fromLatin1(kCodigoAcesso);
        s.NomeAdministradora = QStringLiteral("REDE ALFA");
        s.CodigoAdministradora = QStringLiteral("ALFA0001");
        s.TipoLog = QStringLiteral("M");
        s.MsgIso = GetParam();
        session_.cartao = {QString::fromLatin1(kCard), QStringLiteral("123"), QString()};
    }


    vtx::cli::test::Station station_;
    std::unique_ptr<vtx::hostsim::HostSimProcess> host_;
    vtx::client::testing::ScriptedDialogs dialogs_;
    LoadedCommLibrary comm_;
    ClientSession session_{dialogs_, comm_};
};

}  // namespace

TEST_P(SaleIntegration, PreAuthorisationThenSaleWithReceiptThenConfirmation) {
    // Pre-authorisation of three products.
    session_.tipoTransacao = QStringLiteral("PREVENDA");
    ASSERT_TRUE(Mensagem_ElegPortador(session_, 0)) << dialogs_.texts().join(" | ").toStdString();
    const QString preNsu = session_.nsu;
    EXPECT_FALSE(preNsu.isEmpty());
    GridModel pre(3, Col::kCount);
    const char* codes[] = {"7890000000017", "7890000000062", "7890000000123"};
    const char* types[] = {"1", "1", "1"};
    for (int row = 1; row <= 3; ++row) {
        pre.setText(row, Col::kCodigo, QString::fromLatin1(codes[row - 1]));
        pre.setText(row, Col::kTipoItem, QString::fromLatin1(types[row - 1]));
        pre.setText(row, Col::kQuantidade, QStringLiteral("2"));
        pre.setText(row, Col::kPrecoBruto, QStringLiteral("10,00"));
        pre.setText(row, Col::kPrecoLiquido, QStringLiteral("9,00"));
    }
    ASSERT_TRUE(CarregaItem_Grid(session_, pre));
    ASSERT_TRUE(Mensagem_GeracaoPre(session_, pre, {})) << dialogs_.texts().join(" | ").toStdString();
    EXPECT_EQ(pre.text(1, Col::kPrecoBruto), QStringLiteral("12,50")) << "the host's price wins";
    EXPECT_EQ(pre.text(1, Col::kStatus), QStringLiteral("00"));

    // The sale reads the pre-authorisation back.
    session_.tipoTransacao = QStringLiteral("VENDA");
    session_.produtos.clear();
    ASSERT_TRUE(Mensagem_ElegPortador(session_, 0)) << dialogs_.texts().join(" | ").toStdString();
    GridModel sale(0, Col::kCount);
    ASSERT_TRUE(Recupera_Pre(session_, sale, 0));
    ASSERT_EQ(sale.maxRows(), 3);
    EXPECT_EQ(sale.text(2, Col::kCodigo).right(13), QStringLiteral("7890000000062"));
    EXPECT_EQ(leadingNumber(sale.text(3, Col::kQuantidade)), 2);
    EXPECT_EQ(leadingNumber(GetCampo(session_, QStringLiteral("900-000"))), 0);

    // The sale itself, with its receipt, then the confirmation.
    ASSERT_TRUE(CarregaItem_Grid(session_, sale));
    ASSERT_TRUE(Mensagem_GeracaoPre(session_, sale, QStringLiteral("123456")))
        << dialogs_.texts().join(" | ").toStdString();
    const qint16 lines = GetQtdLinha(session_);
    EXPECT_GT(lines, 0);
    QString receipt;
    for (qint16 i = 0; i < lines; ++i) receipt += GetLinhaImpressao(session_, i) + "\n";
    EXPECT_FALSE(receipt.contains(QString::fromLatin1(kCard))) << receipt.toStdString();
    const QString saleNsu = session_.nsu;
    ASSERT_TRUE(Mensagem_Confirmacao(session_)) << dialogs_.texts().join(" | ").toStdString();
    const std::string state = host_->transactionState(hostNsu(saleNsu));
    EXPECT_NE(state.find("state=confirmed"), std::string::npos) << state;
}

TEST_P(SaleIntegration, ReversalUndoesAndUnknownCardIsRefused) {
    session_.tipoTransacao = QStringLiteral("PREVENDA");
    session_.cartao.numero = QStringLiteral("6000000000000000");
    EXPECT_FALSE(Mensagem_ElegPortador(session_, 0));
    ASSERT_FALSE(dialogs_.texts().isEmpty());

    session_.cartao.numero = QString::fromLatin1(kCard);
    ASSERT_TRUE(Mensagem_ElegPortador(session_, 0));
    GridModel pre(1, Col::kCount);
    pre.setText(1, Col::kCodigo, QStringLiteral("7890000000017"));
    pre.setText(1, Col::kTipoItem, QStringLiteral("1"));
    pre.setText(1, Col::kQuantidade, QStringLiteral("1"));
    pre.setText(1, Col::kPrecoBruto, QStringLiteral("12,50"));
    pre.setText(1, Col::kPrecoLiquido, QStringLiteral("11,25"));
    ASSERT_TRUE(CarregaItem_Grid(session_, pre));
    ASSERT_TRUE(Mensagem_GeracaoPre(session_, pre, {}));
    EXPECT_TRUE(Mensagem_Anulacao(session_));
    const std::string state = host_->transactionState(hostNsu(session_.nsu));
    EXPECT_NE(state.find("state=reversed"), std::string::npos) << state;
}

INSTANTIATE_TEST_SUITE_P(BothForms, SaleIntegration, ::testing::Values(false, true),
                         [](const auto& testInfo) { return testInfo.param ? "Iso" : "Text"; });
