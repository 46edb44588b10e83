// The way to the administrative functions: the support login, the
// permission switches of the menu, the administrator list, and the logon
// window's record of the last logon.
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <memory>

#include "core/IniAccess.h"
#include "screens/FormComplementar.h"
#include "screens/FormInicial.h"
#include "screens/FormMensLogon.h"
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

}  // namespace
}  // namespace vtx::client::test
