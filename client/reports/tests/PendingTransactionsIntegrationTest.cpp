// The pending-transactions screen against vtx-hostsim over loopback: two
// pre-authorisations are left pending at the host, listed in the station's
// pending-transactions file, then one is confirmed and the other annulled
// from the screen; the host's records show both outcomes.
#include <gtest/gtest.h>

#include "HostSimProcess.h"
#include "core/CheckSum.h"
#include "core/Cp1252Text.h"
#include "core/testing/ScriptedDialogs.h"
#include "field/LeadingNumber.h"
#include "messaging/GridLoaders.h"
#include "messaging/LoadedCommLibrary.h"
#include "messaging/RequestBuilders.h"
#include "reports/FormConsulta.h"
#include "vtx/commlib/testing/StationHost.h"

using namespace vtx::client;
using namespace vtx::client::reports;
namespace Col = PreSaleColumn;

namespace {

std::string hostNsu(const QString& nsu) {
    return QString::number(leadingNumber(nsu)).rightJustified(6, u'0').toStdString();
}

class PendingTransactions : public ::testing::Test {
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
        const QString enabled = QStringLiteral("Y    ");
        session_.captions.setValue("FormConsulta", "cmdConfirmaTrans_Caption",
                                   enabled + QStringLiteral("&Confirma"));
        session_.captions.setValue("FormConsulta", "cmdAnulaTrans_Caption",
                                   enabled + QStringLiteral("&Anula"));
    }

    // A pre-authorisation of one product for the card, left pending; its NSU.
    QString preAutorizacao(const QString& cartao, const QString& campo1) {
        session_.cartao = {cartao, campo1, QString()};
        session_.tipoTransacao = QStringLiteral("PREVENDA");
        session_.produtos.clear();
        EXPECT_TRUE(Mensagem_ElegPortador(session_, 0))
            << dialogs_.texts().join(" | ").toStdString();
        GridModel pre(1, Col::kCount);
        pre.setText(1, Col::kCodigo, QStringLiteral("7890000000017"));
        pre.setText(1, Col::kTipoItem, QStringLiteral("1"));
        pre.setText(1, Col::kQuantidade, QStringLiteral("1"));
        pre.setText(1, Col::kPrecoBruto, QStringLiteral("12,50"));
        pre.setText(1, Col::kPrecoLiquido, QStringLiteral("11,25"));
        EXPECT_TRUE(CarregaItem_Grid(session_, pre));
        EXPECT_TRUE(Mensagem_GeracaoPre(session_, pre, {}));
        return session_.nsu;
    }

    void writePendingFile(const QStringList& lines) {
        qint32 sum = 0;
        qint32 weight = 1;
        std::string content;
        for (const QString& line : lines) {
            SomaLinhaCheckSum(line, sum, weight);
            content += toCp1252(line) + "\r\n";
        }
        station_.root().writeFile("C/Vantrix/TPALFA0001.S" + checkValueOf(sum).toStdString(),
                                  content);
    }

    vtx::cli::test::Station station_;
    std::unique_ptr<vtx::hostsim::HostSimProcess> host_;
    vtx::client::testing::ScriptedDialogs dialogs_;
    LoadedCommLibrary comm_;
    ClientSession session_{dialogs_, comm_};
};

}  // namespace

TEST_F(PendingTransactions, ConfirmsOneAndAnnulsTheOther) {
    // One card per transaction: a card's new pre-authorisation replaces its last.
    const QString primeira = preAutorizacao(QStringLiteral("6012345678901234"), "123");
    const QString segunda = preAutorizacao(QStringLiteral("6012000000000001"), QString());
    ASSERT_FALSE(primeira.isEmpty());
    ASSERT_NE(primeira, segunda);
    writePendingFile({QStringLiteral("000,TTransações pendentes,"),
                      QStringLiteral("001,ATipo,ANSU,AData,AStatus,AValor,ALote,ATerminal,"),
                      QStringLiteral("002,ABE,N") + primeira +
                          QStringLiteral(",D070324101500,APEND.,M1125,A000001,A00000001,"),
                      QStringLiteral("002,ABE,N") + segunda +
                          QStringLiteral(",D070324101600,APEND.,M1125,A000001,A00000001,")});
    dialogs_.clear();
    FormConsulta form(session_, nullptr, ReportHost{});
    ASSERT_EQ(form.grid().maxRows(), 2) << dialogs_.texts().join(" | ").toStdString();

    form.grid().setActiveRow(1);
    form.cmdConfirmaTrans_Click();
    EXPECT_EQ(dialogs_.texts().last(), QStringLiteral("Confirmação efetuada com sucesso!"))
        << dialogs_.texts().join(" | ").toStdString();
    EXPECT_NE(host_->transactionState(hostNsu(primeira)).find("state=confirmed"), std::string::npos)
        << host_->transactionState(hostNsu(primeira));

    form.grid().setActiveRow(2);
    form.cmdAnulaTrans_Click();
    EXPECT_EQ(dialogs_.texts().last(), QStringLiteral("Anulação efetuada com sucesso!"));
    EXPECT_NE(host_->transactionState(hostNsu(segunda)).find("state=reversed"), std::string::npos);

    // Confirming the annulled one again is refused by the host.
    form.cmdConfirmaTrans_Click();
    EXPECT_EQ(dialogs_.texts().last(), QStringLiteral("Confirmação não foi efetuada com sucesso!"))
        << dialogs_.texts().join(" | ").toStdString();
}
