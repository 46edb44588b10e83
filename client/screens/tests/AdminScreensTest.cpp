// The way to the administrative functions: the support login, the
// permission switches of the menu, the administrator list, and the logon
// window's record of the last logon.
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <memory>

#include "core/IniAccess.h"
#include "core/testing/ChecksummedName.h"
#include "screens/FormCadastro.h"
#include "screens/FormComplementar.h"
#include "screens/FormInicial.h"
#include "screens/FormMensLogon.h"
#include "widgets/Hourglass.h"
#include "screens/tests/ScreenFixture.h"

namespace vtx::client::test {
namespace {

class AdminScreensTest : public ScreenTest {
protected:
    void login(const char* user, const char* switches) {
        session_.login.operadorLogado[1].usuario = QString::fromLatin1(user).leftJustified(20);
        session_.login.permissao[1].switches = QString::fromLatin1(switches);
    }
    void pressKey(QWidget& form, int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&form, &press);
    }
    QString ultimoLogin() {
        QString value;
        LeLinhaArquivoIni(QStringLiteral("DADOS_GERAIS"), QStringLiteral("Ultimo_Login"), QString(),
                          value, session_.settings.clientIni());
        return value;
    }
};

TEST_F(AdminScreensTest, SupportLoginOpensTheConfigurationNotTheMenu) {
    int configs = 0, menus = 0;
    openers_.openLogin = [&] {
        login("staff", "");
        return true;
    };
    openers_.openConfig = [&] { ++configs; };
    openers_.openAdminMenu = [&] { ++menus; };
    FormInicial card(session_, frame_, openers_, {});
    card.show();
    card.cmdAdmin_Click();
    EXPECT_EQ(configs, 1);
    EXPECT_EQ(menus, 0);
    EXPECT_FALSE(card.isHidden()) << "the card screen comes back after the configuration";

    login("MNG1", "SSSSSSSSS");
    openers_.openLogin = [] { return true; };
    card.cmdAdmin_Click();
    EXPECT_EQ(menus, 1);
    EXPECT_TRUE(card.isHidden());

    openers_.openLogin = [] { return false; };
    card.show();
    card.cmdAdmin_Click();
    EXPECT_EQ(menus, 1) << "a failed login opens nothing";
}

TEST_F(AdminScreensTest, PermissionSwitchesGateTheButtonsAndTheirKeys) {
    login("MNG1", "SSNSSSSSN");
    session_.operadoras.setRecords(
        {OperatorRecord::parse(operatorLine("REDE ALFA", "alfa0001", " ", 0, 0, "")),
         OperatorRecord::parse(operatorLine("REDE ALFA 2", "ALFA0001", " ", 0, 0, "")),
         OperatorRecord::parse(operatorLine("REDE BETA", "BETA0001", " ", 0, 0, ""))});
    std::vector<ReportKind> reports;
    openers_.openReport = [&](ReportKind kind) { reports.push_back(kind); };
    FormComplementar menu(session_, frame_, openers_);
    menu.show();
    EXPECT_EQ(session_.settings.TelaAtual, QStringLiteral("ADMINISTRATIVA"));
    EXPECT_FALSE(frame_.printEnabled);

    auto* list = menu.findChild<QComboBox*>(QStringLiteral("cbAdministradora"));
    ASSERT_EQ(list->count(), 2) << "one entry per code";
    EXPECT_EQ(list->itemText(0), QStringLiteral("ALFA0001"));
    EXPECT_EQ(session_.settings.AdmSelecionada, 1) << "linked to the first record of the code";

    auto* cadastro = menu.findChild<QPushButton*>(QStringLiteral("cmdCadastro"));
    EXPECT_FALSE(cadastro->isEnabled());
    EXPECT_FALSE(menu.findChild<QPushButton*>(QStringLiteral("cmdLogon"))->isEnabled());
    EXPECT_TRUE(menu.findChild<QPushButton*>(QStringLiteral("cmdResumo"))->isEnabled());
    EXPECT_TRUE(menu.findChild<QPushButton*>(QStringLiteral("cmdCanceltotal"))->isHidden());
    EXPECT_TRUE(menu.findChild<QPushButton*>(QStringLiteral("cmdPrevenda"))->isHidden());

    pressKey(*list, Qt::Key_F3);
    EXPECT_TRUE(dialogs_.forms().isEmpty()) << "F3 does nothing while Cadastro is disabled";
    pressKey(*list, Qt::Key_F6);
    EXPECT_EQ(reports, std::vector<ReportKind>{ReportKind::Resumo});

    // No administrator chosen: the command says so and opens nothing.
    list->setCurrentIndex(-1);
    menu.cmdPendentes_Click();
    menu.cmdResumoFinanceiro_Click();
    EXPECT_EQ(dialogs_.texts(), (QStringList{QStringLiteral("Selecione a Administradora "),
                                             QStringLiteral("selecione a administradora ")}));
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_TRUE(menu.findChild<QPushButton*>(QStringLiteral("cmdPendentes"))->isEnabled());
}

TEST_F(AdminScreensTest, LogonRecordsTheTimeOnlyWhenAccepted) {
    session_.clock = [] { return QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7)); };
    comm_.reply = [](QString& exchange) {
        exchange = QStringLiteral("0002OK");
        return 1;
    };
    {
        FormMensLogon logon(session_, frame_);
        logon.exec();
    }
    EXPECT_EQ(ultimoLogin(), QStringLiteral("09/03/2026 14:05:07"));
    EXPECT_EQ(frame_.reminderChanges, (std::vector<bool>{false, true}));

    session_.clock = [] { return QDateTime(QDate(2026, 3, 10), QTime(8, 0, 0)); };
    comm_.reply = [](QString&) { return -163; };
    FormMensLogon refused(session_, frame_);
    EXPECT_FALSE(refused.Timer1_Timer());
    EXPECT_EQ(ultimoLogin(), QStringLiteral("09/03/2026 14:05:07"));
    EXPECT_EQ(dialogs_.texts().value(0),
              QStringLiteral("163- Não foi possível acessar a Internet"));
}

TEST_F(AdminScreensTest, CancellationAndPreAuthorisationAreOfferedWhenTheirScreensExist) {
    login("MNG1", "SSSSSSSNS");
    int cancellations = 0, preSaleCards = 0;
    QString telaAtPreSale;
    openers_.openCancellation = [&] { ++cancellations; };
    openers_.openPreSale = [] {};
    FormComplementar* menuSeen = nullptr;
    openers_.showCardScreenForPreSale = [&] {
        ++preSaleCards;
        telaAtPreSale = session_.settings.TelaAtual;
        EXPECT_TRUE(menuSeen->isHidden()) << "the menu has left for the card screen";
    };
    FormComplementar menu(session_, frame_, openers_);
    menuSeen = &menu;
    menu.show();
    auto* cancela = menu.findChild<QPushButton*>(QStringLiteral("cmdCanceltotal"));
    auto* prevenda = menu.findChild<QPushButton*>(QStringLiteral("cmdPrevenda"));
    ASSERT_TRUE(cancela->isVisibleTo(&menu));
    ASSERT_TRUE(prevenda->isVisibleTo(&menu));
    // In the button grid, below the frame, apart from every other button.
    for (QPushButton* b : menu.findChildren<QPushButton*>()) {
        if (b == cancela || b == prevenda) continue;
        EXPECT_FALSE(b->geometry().intersects(cancela->geometry())) << b->objectName().toStdString();
        EXPECT_FALSE(b->geometry().intersects(prevenda->geometry())) << b->objectName().toStdString();
    }
    EXPECT_FALSE(cancela->isEnabled()) << "permission switch 8 is N";
    auto* list = menu.findChild<QComboBox*>(QStringLiteral("cbAdministradora"));
    pressKey(*list, Qt::Key_F7);
    EXPECT_EQ(cancellations, 0);

    login("MNG1", "SSSSSSSSS");
    menu.hide();
    menu.show();  // the permissions again
    ASSERT_TRUE(cancela->isEnabled());
    pressKey(*list, Qt::Key_F7);
    EXPECT_EQ(cancellations, 1);

    // Both need a chosen administrator.
    list->setCurrentIndex(-1);
    dialogs_.clear();
    menu.cmdCanceltotal_Click();
    menu.cmdPrevenda_Click();
    EXPECT_EQ(dialogs_.texts(), (QStringList{QStringLiteral("selecione a administradora "),
                                             QStringLiteral("selecione a administradora ")}));
    EXPECT_EQ(cancellations, 1);
    EXPECT_EQ(preSaleCards, 0);

    list->setCurrentIndex(0);
    prevenda->click();
    EXPECT_EQ(preSaleCards, 1);
    EXPECT_EQ(telaAtPreSale, QStringLiteral("PREVENDA"));
}

TEST_F(AdminScreensTest, AfterAReportTheMenuHasTheMainWindowBack) {
    login("MNG1", "SSSSSSSSS");
    openers_.openReport = [this](ReportKind) {
        session_.settings.TelaAtual = QStringLiteral("RESUMOVENDA");
        frame_.SetaCaption(QStringLiteral("Vantorix Client      Tela 0003 - Resumo"));
        frame_.setPrintEnabled(true);
    };
    FormComplementar menu(session_, frame_, openers_);
    menu.show();
    auto* resumo = menu.findChild<QPushButton*>(QStringLiteral("cmdResumo"));
    resumo->click();
    EXPECT_EQ(session_.settings.TelaAtual, QStringLiteral("ADMINISTRATIVA"));
    EXPECT_TRUE(frame_.caption.startsWith(kTituloAdministrativas)) << frame_.caption.toStdString();
    EXPECT_FALSE(frame_.printEnabled);
    ASSERT_EQ(menu.focusWidget(), resumo) << "the menu's keys reach it again";

    dialogs_.queueAnswer(MessageAnswer::No);
    pressKey(*menu.focusWidget(), Qt::Key_F12);
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Confirma a Saída do Sistema")});
}

TEST_F(AdminScreensTest, TheBusyPointerShowsWhileTheLogonRequestIsOut) {
    std::vector<bool> busy;
    comm_.reply = [&busy](QString& exchange) {
        busy.push_back(hourglassShown());
        exchange = QStringLiteral("0002OK");
        return 1;
    };
    FormMensLogon logon(session_, frame_);
    EXPECT_TRUE(logon.Timer1_Timer());
    EXPECT_EQ(busy, std::vector<bool>{true});
    EXPECT_FALSE(hourglassShown());
}

TEST_F(AdminScreensTest, TheBusyPointerShowsWhileTheRegistrationChangeIsOut) {
    const std::string mf = "ALFA0001DISTRIBUIDORA NORTE  \r\n";
    root_.writeFile("C/VANTRIX/" + vtx::client::testing::checksummedName("MF.S", mf), mf);
    session_.settings.CodigoAdministradora = QStringLiteral("ALFA0001");
    setCaption("FormCadastro", "cmdConfirma", QStringLiteral("Y0000F3 - &Confirma"));
    std::vector<bool> busy;
    comm_.reply = [&busy](QString& exchange) {
        busy.push_back(hourglassShown());
        exchange = QStringLiteral("0011009-000=00;");
        return 1;
    };
    FormCadastro cadastro(session_, frame_);
    auto* list = cadastro.findChild<QComboBox*>(QStringLiteral("cboDistribuidora"));
    ASSERT_EQ(list->count(), 1) << shown();
    list->setCurrentIndex(0);
    cadastro.cmdConfirma_Click();
    EXPECT_EQ(busy, std::vector<bool>{true}) << shown();
    EXPECT_FALSE(hourglassShown());
}

}  // namespace
}  // namespace vtx::client::test
