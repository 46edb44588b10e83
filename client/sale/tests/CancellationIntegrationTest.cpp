// A cancellation by NSU against vtx-hostsim over loopback, through the
// communication library: a sale made with the request builders and
// confirmed, then cancelled whole from FormCancela; its receipt screen
// lists the host's lines and confirms the cancellation. The host's records
// show the sale cancelled and the cancellation confirmed.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

#include "HostSimProcess.h"
#include "core/testing/ScriptedDialogs.h"
#include "field/LeadingNumber.h"
#include "messaging/GridLoaders.h"
#include "messaging/LoadedCommLibrary.h"
#include "messaging/RequestBuilders.h"
#include "sale/AbreFormImpressao.h"
#include "sale/FormCancela.h"
#include "sale/FormImpressao.h"
#include "vtx/commlib/testing/StationHost.h"

using namespace vtx::client;
using namespace vtx::client::sale;
namespace Col = PreSaleColumn;

namespace {

// The NSU as the host's records write it (six digits).
std::string hostNsu(const QString& nsu) {
    return QString::number(leadingNumber(nsu)).rightJustified(6, u'0').toStdString();
}

class CancellationIntegration : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        host_ = vtx::cli::test::stationHost(station_, "REDE ALFA           ALFA0001", "ALFA0001");
        ASSERT_TRUE(host_->start()) << host_->error();

        EstruturaPrincipal& s = session_.settings;
        s.PathServer = QString::fromLatin1(vtx::cli::test::Station::kPathServer);
        s.CodigoEstab = QStringLiteral("000000000012345");
        s.CodigoAcesso = QString::fromLatin1(kCodigoAcesso);
        s.NomeAdministradora = QStringLiteral("REDE ALFA");
        s.CodigoAdministradora = QStringLiteral("ALFA0001");
        s.TipoLog = QStringLiteral("M");
        s.TipoEstab = 1;
        s.MsgIso = GetParam();
        const QString on = QStringLiteral("Y    ");
        CaptionTable& c = session_.captions;
        c.setValue("FormCancela", "lblNSU", QStringLiteral("N0612NSU da Operadora"));
        c.setValue("FormCancela", "cmdOk", on + QStringLiteral("F3 - &OK"));
        c.setValue("FormCancela", "cmdCancel", on + QStringLiteral("ESC - &Cancel"));
        c.setValue("FormImpressao", "CmdConfirma_Caption", on + QStringLiteral("F5 - C&onfirma "));
        c.setValue("FormImpressao", "cmdImprimir_Caption", on + QStringLiteral("F8 - Im&primir"));
        c.setValue("FormImpressao", "cmdAnula_Caption", on + QStringLiteral("F12 - &Anula"));
        saleHost_.openReceipt = [this] { abreFormImpressao(session_, saleHost_); };
    }

    QString failures() const { return dialogs_.texts().join(" | "); }

    // A sale of two products for the card, pre-authorised, read back, sold
    // and confirmed; its NSU.
    QString confirmedSale() {
        session_.cartao = {QStringLiteral("6012345678901234"), QStringLiteral("123"), QString()};
        session_.tipoTransacao = QStringLiteral("PREVENDA");
        EXPECT_TRUE(Mensagem_ElegPortador(session_, 0)) << failures().toStdString();
        GridModel pre(2, Col::kCount);
        const char* codes[] = {"7890000000017", "7890000000062"};
        for (int row = 1; row <= 2; ++row) {
            pre.setText(row, Col::kCodigo, QString::fromLatin1(codes[row - 1]));
            pre.setText(row, Col::kTipoItem, QStringLiteral("1"));
            pre.setText(row, Col::kQuantidade, QStringLiteral("2"));
            pre.setText(row, Col::kPrecoBruto, QStringLiteral("10,00"));
            pre.setText(row, Col::kPrecoLiquido, QStringLiteral("9,00"));
        }
        EXPECT_TRUE(CarregaItem_Grid(session_, pre));
        EXPECT_TRUE(Mensagem_GeracaoPre(session_, pre, {})) << failures().toStdString();

        session_.tipoTransacao = QStringLiteral("VENDA");
        session_.produtos.clear();
        EXPECT_TRUE(Mensagem_ElegPortador(session_, 0)) << failures().toStdString();
        GridModel sale(0, Col::kCount);
        EXPECT_TRUE(Recupera_Pre(session_, sale, 0));
        EXPECT_TRUE(CarregaItem_Grid(session_, sale));
        EXPECT_TRUE(Mensagem_GeracaoPre(session_, sale, QStringLiteral("123456")))
            << failures().toStdString();
        const QString nsu = session_.nsu;
        EXPECT_TRUE(Mensagem_Confirmacao(session_)) << failures().toStdString();
        return nsu;
    }

    vtx::cli::test::Station station_;
    std::unique_ptr<vtx::hostsim::HostSimProcess> host_;
    vtx::client::testing::ScriptedDialogs dialogs_;
    LoadedCommLibrary comm_;
    ClientSession session_{dialogs_, comm_};
    SaleHost saleHost_;
};

}  // namespace

TEST_P(CancellationIntegration, ASaleCancelledByItsNsuWithReceiptAndConfirmation) {
    const QString venda = confirmedSale();
    ASSERT_FALSE(venda.isEmpty());
    ASSERT_NE(host_->transactionState(hostNsu(venda)).find("state=confirmed"), std::string::npos)
        << host_->transactionState(hostNsu(venda));

    // The operator at the administrative menu types the sale's NSU.
    session_.settings.TelaAtual = QStringLiteral("ADMINISTRATIVA");
    dialogs_.clear();
    QStringList recibo;
    int resultado = 0;
    dialogs_.onForm(QStringLiteral("FormCancela"), [&](ModalForm& modal) {
        auto& form = dynamic_cast<FormCancela&>(modal);
        form.findChild<QLineEdit*>(QStringLiteral("txtNSU"))->setText(venda);
        form.findChild<QCheckBox*>(QStringLiteral("OptComPrd"))->setChecked(true);
        form.cmdOk_Click();
        return form.result();
    });
    dialogs_.onForm(QStringLiteral("FormImpressao"), [&](ModalForm& modal) {
        auto& form = dynamic_cast<FormImpressao&>(modal);
        recibo = form.linhas();
        form.cmdConfirma_Click();
        resultado = form.result();
        return resultado;
    });
    abreFormCancela(session_, saleHost_);

    EXPECT_EQ(dialogs_.forms(),
              (QStringList{QStringLiteral("FormCancela"), QStringLiteral("FormImpressao")}))
        << failures().toStdString();
    const QString cancelamento = session_.nsu;
    ASSERT_NE(hostNsu(cancelamento), hostNsu(venda)) << "the cancellation has its own NSU";
    ASSERT_FALSE(dialogs_.texts().isEmpty());
    EXPECT_EQ(dialogs_.texts().first(), QStringLiteral("Número da autorização: ") + cancelamento);
    EXPECT_GT(recibo.size(), 1);
    EXPECT_FALSE(recibo.join(u'\n').contains(QStringLiteral("6012345678901234")))
        << "the receipt masks the card: " << recibo.join(u'\n').toStdString();
    EXPECT_EQ(resultado, FormImpressao::Confirmado);

    EXPECT_NE(host_->transactionState(hostNsu(venda)).find("state=cancelled"), std::string::npos)
        << host_->transactionState(hostNsu(venda));
    const std::string cancelled = host_->transactionState(hostNsu(cancelamento));
    EXPECT_NE(cancelled.find("kind=cancellation state=confirmed"), std::string::npos) << cancelled;
}

INSTANTIATE_TEST_SUITE_P(BothForms, CancellationIntegration, ::testing::Values(false, true),
                         [](const auto& testInfo) { return testInfo.param ? "Iso" : "Text"; });
