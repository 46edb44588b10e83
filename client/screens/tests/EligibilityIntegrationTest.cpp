// The card screen against vtx-hostsim over loopback, through the
// communication library: an accepted pre-authorisation and sale leave the
// screen neutral with the host's NSU kept; a refused card shows the host's
// message.
#include <QLineEdit>
#include <QPushButton>

#include "HostSimProcess.h"
#include "Station.h"
#include "messaging/LoadedCommLibrary.h"
#include "screens/FormInicial.h"
#include "screens/tests/ScreenFixture.h"

namespace vtx::client::test {
namespace {

class EligibilityIntegration : public ::testing::Test {
protected:
    void SetUp() override {
        vtx::hostsim::HostSimPort port;
        port.section = "host";
        port.port = vtx::hostsim::freeFourDigitPort();
        station_.root().writeFile("hostsim/.keep", "");
        host_ = std::make_unique<vtx::hostsim::HostSimProcess>(station_.root().native("hostsim"),
                                                               std::vector{port});
        host_->setDataFolder(VTX_SOURCE_DIR "/tools/hostsim/data");
        ASSERT_TRUE(host_->start()) << host_->error();
        station_.writeRoutes({vx::test::Station::route("ALFA0001", host_->port("host"))});
        // The library finds the administrator's route through the operator table.
        const QString line = operatorLine("REDE ALFA", "ALFA0001", "N", 3, 10, "Matricula");
        station_.writeOperatorTable({line.toStdString()});

        EstruturaPrincipal& s = session_.settings;
        s.PathServer = QStringLiteral("C:\\VANTRIX");
        s.TipoLog = QStringLiteral("M");
        s.TituloMensagem = QStringLiteral("ATENÇÃO");
        s.CodigoEstab = QStringLiteral("000000000012345");
        s.CodigoAcesso = QString::fromLatin1(kCodigoAcesso);
        s.TipoEstabDefault = s.TipoEstab = 1;
        setCardCaptions(session_.captions);
        session_.operadoras.setRecords({OperatorRecord::parse(line)});
        openers_.openPreSale = [this] { preSales_.push_back(session_.settings.TelaAtual); };
        form_ = std::make_unique<FormInicial>(session_, frame_, openers_, GetTrackFunction{});
        form_->show();
    }

    // Operator, card, field 1, then the flow button.
    void identify(const char* card, const char* field1) {
        form_->cmdConfirmaOper_Click();
        form_->findChild<QLineEdit*>(QStringLiteral("txtCartao"))
            ->setText(QString::fromLatin1(card));
        form_->cmdConfirmaCartao_Click();
        form_->findChild<QLineEdit*>(QStringLiteral("txtCampo1"))
            ->setText(QString::fromLatin1(field1));
    }
    bool neutral() {
        return form_->findChild<QLineEdit*>(QStringLiteral("txtCartao"))->isHidden() &&
               !form_->findChild<QPushButton*>(QStringLiteral("cmdConfirmaOper"))->isHidden() &&
               form_->findChild<QPushButton*>(QStringLiteral("cmdAdmin"))->isEnabled();
    }

    vx::test::Station station_;
    std::unique_ptr<vtx::hostsim::HostSimProcess> host_;
    testing::ScriptedDialogs dialogs_;
    LoadedCommLibrary comm_;
    ClientSession session_{dialogs_, comm_};
    FakeFrame frame_;
    ScreenOpeners openers_;
    std::unique_ptr<FormInicial> form_;
    QStringList preSales_;
};

TEST_F(EligibilityIntegration, AcceptedFlowsKeepTheNsuAndReturnToNeutral) {
    identify("6012345678901234", "123");
    form_->BtnPreVenda_Click();
    ASSERT_EQ(preSales_, QStringList{QStringLiteral("PREVENDA")})
        << dialogs_.texts().join(" | ").toStdString();
    EXPECT_FALSE(session_.nsu.trimmed().isEmpty());
    EXPECT_TRUE(neutral());
    const QString preNsu = session_.nsu;

    identify("6012345678901234", "123");
    form_->cmdVenda_Click();
    ASSERT_EQ(preSales_.size(), 2) << dialogs_.texts().join(" | ").toStdString();
    EXPECT_EQ(preSales_[1], QStringLiteral("VENDA"));
    EXPECT_NE(session_.nsu, preNsu) << "the sale opens a transaction of its own";
    EXPECT_TRUE(neutral());
    EXPECT_TRUE(dialogs_.messages().empty()) << dialogs_.texts().join(" | ").toStdString();
}

TEST_F(EligibilityIntegration, RefusedCardShowsTheHostMessage) {
    identify("6099999999999999", "123");
    form_->BtnPreVenda_Click();
    EXPECT_TRUE(preSales_.isEmpty());
    EXPECT_TRUE(dialogs_.texts().contains(QStringLiteral("Cartao bloqueado")))
        << dialogs_.texts().join(" | ").toStdString();
    EXPECT_TRUE(neutral());
}

}  // namespace
}  // namespace vtx::client::test
