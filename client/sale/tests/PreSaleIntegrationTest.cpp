// The pre-sale screen against vtx-hostsim over loopback, through the
// communication library: a pre-authorisation of 13 products found one by
// one with the search (two batches, 12 + 1), then the sale of
// the same card reads them back page by page and is finalised with its
// fiscal document.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "HostSimProcess.h"
#include "core/testing/ScriptedDialogs.h"
#include "field/tests/QStringPrinter.h"
#include "messaging/GridLoaders.h"
#include "messaging/LoadedCommLibrary.h"
#include "messaging/RequestBuilders.h"
#include "sale/FormPreVenda.h"
#include "vtx/commlib/testing/StationHost.h"

using namespace vtx::client;
using namespace vtx::client::sale;
namespace Col = PreSaleColumn;

namespace {

const char* const kCatalogue[] = {
    "7890000000017", "7890000000024", "7890000000031", "7890000000048", "7890000000055",
    "7890000000062", "7890000000079", "7890000000086", "7890000000093", "7890000000109",
    "7890000000116", "7890000000123", "7890000000147"};

class PreSaleIntegration : public ::testing::Test {
protected:
    void SetUp() override {
        // The simulator's sample data: 13 products its plans cover (one more
        // is refused), so that 13 are authorised and read back on two pages.
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
        const QString on = QStringLiteral("Y    ");
        for (const char* key : {"cmdAdicionaProduto_Caption", "cmdConfirma_Caption",
                                "cmdExcluir_Caption", "cmdEditar_Caption"})
            session_.captions.setValue(QStringLiteral("FormPreVenda"), QString::fromLatin1(key), on);
        session_.captions.setValue("FormPreVenda", "lblUsuario", QStringLiteral("N0610Nr Doc. Fiscal"));
        session_.cartao = {QStringLiteral("6012345678901234"), QStringLiteral("123"), QString()};
        saleHost_.showCardScreen = [this] { ++cardScreens_; };
        saleHost_.openReceipt = [this] { ++receipts_; };
    }

    // The card screen's part: TelaAtual, the eligibility, then the screen.
    std::unique_ptr<FormPreVenda> identifica(const QString& tela) {
        session_.settings.TelaAtual = tela;
        session_.tipoTransacao = tela;
        EXPECT_TRUE(Mensagem_ElegPortador(session_, 0)) << dialogs_.texts().join(" | ").toStdString();
        auto form = std::make_unique<FormPreVenda>(session_, saleHost_);
        form->abre();
        return form;
    }

    // Requests of the host's log whose processing code (011-000) is `code`.
    std::vector<std::string> requests(const std::string& code) const {
        std::vector<std::string> found;
        for (const auto& record : host_->records())
            if (record.message.find("011-000=" + code) != std::string::npos)
                found.push_back(record.message);
        return found;
    }

    vtx::cli::test::Station station_;
    std::unique_ptr<vtx::hostsim::HostSimProcess> host_;
    vtx::client::testing::ScriptedDialogs dialogs_;
    LoadedCommLibrary comm_;
    ClientSession session_{dialogs_, comm_};
    SaleHost saleHost_;
    int cardScreens_ = 0;
    int receipts_ = 0;
};

}  // namespace

TEST_F(PreSaleIntegration, ThirteenProductsInTwoBatchesThenTheSaleReadBack) {
    auto pre = identifica(QStringLiteral("PREVENDA"));
    const QString nsuPre = session_.nsu;
    auto* pesquisa = pre->findChild<QLineEdit*>(QStringLiteral("txtPesquisa"));
    for (const char* code : kCatalogue) {
        pesquisa->setText(QString::fromLatin1(code));
        pre->cmdPesquisa_Click();
    }
    ASSERT_EQ(pre->grid().maxRows(), 13) << dialogs_.texts().join(" | ").toStdString();
    EXPECT_EQ(pre->grid().text(13, Col::kCodigo), QStringLiteral("7890000000147"));
    pre->cmdConfirma_Click();
    EXPECT_TRUE(pre->fechada());
    EXPECT_EQ(cardScreens_, 1);
    const auto batches = requests("800200");
    ASSERT_EQ(batches.size(), 2u) << dialogs_.texts().join(" | ").toStdString();
    EXPECT_NE(batches[0].find("901-000=12"), std::string::npos) << batches[0];
    EXPECT_NE(batches[0].find("900-000=1;"), std::string::npos);
    EXPECT_NE(batches[1].find("901-000=01"), std::string::npos) << batches[1];
    EXPECT_NE(batches[1].find("902-000=7890000000147"), std::string::npos) << batches[1];

    // The sale of the same card: the products come back page by page.
    dialogs_.clear();
    auto venda = identifica(QStringLiteral("VENDA"));
    ASSERT_EQ(venda->grid().maxRows(), 13) << dialogs_.texts().join(" | ").toStdString();
    EXPECT_TRUE(session_.produtosLidos);
    const auto pages = requests("800500");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].find("900-000="), std::string::npos) << pages[0];
    EXPECT_NE(pages[1].find("900-000=1"), std::string::npos) << pages[1];
    EXPECT_EQ(venda->grid().text(13, Col::kCodigo).right(13), QStringLiteral("7890000000147"));
    EXPECT_EQ(venda->grid().text(1, Col::kCodigo).right(13), QStringLiteral("7890000000017"));
    venda->findChild<QLineEdit*>(QStringLiteral("txtNrDocFiscal"))->setText(QStringLiteral("4455667"));
    venda->cmdConfirma_Click();
    EXPECT_TRUE(venda->fechada());
    const auto sales = requests("800300");
    ASSERT_GE(sales.size(), 1u) << dialogs_.texts().join(" | ").toStdString();
    EXPECT_NE(sales[0].find("002-000=4455667"), std::string::npos) << sales[0];
    EXPECT_EQ(receipts_, 1) << dialogs_.texts().join(" | ").toStdString();
    EXPECT_NE(host_->transactionState(session_.nsu.right(6).toStdString()), "")
        << nsuPre.toStdString();
}
