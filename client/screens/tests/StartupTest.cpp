// The client's start-up against a prepared station, the main window's exit
// confirmation and its logon reminder.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "screens/ClientStartup.h"
#include "screens/FormInicial.h"
#include "screens/tests/ScreenFixture.h"
#include "vtx/platform/NamedMutex.h"

namespace vtx::client::test {
namespace {

class StartupTest : public ScreenTest {
protected:
    void SetUp() override {
        root_.writeFile("C/Windows/WINVTXCORE.INI",
                        "[CORE]\r\nPath Server=C:\\Vantrix\r\nPath CORE=C:\\Vantrix\r\n");
        core_ = "[CONFIG]\r\nESTAB_CODE=000000000012345\r\n";
        client_ = "[DADOS_GERAIS]\r\nTimeOut_Login=30\r\nbMsgIso=N\r\n";
        captions_ = "[FormPrincipal]\r\ncmdSair_Caption=Y0000F12 - Sai&r\r\n";
        root_.writeFile(
            "C/Vantrix/VXTb_Opr.txt",
            operatorLine("REDE ALFA", "ALFA0001", " ", 0, 0, "").toStdString() + "\r\n");
    }

    bool start() {
        root_.writeFile("C/Vantrix/CORE.INI", core_);
        root_.writeFile("C/Vantrix/VtxClient.ini", client_ + captions_ + extra_);
        app_ = std::make_unique<ClientSession>(dialogs_, comm_);
        principal_ = std::make_unique<FormPrincipal>(*app_);
        principal_->setOnEncerra([this] { ++ended_; });
        startup_ = std::make_unique<ClientStartup>(*app_, *principal_, openers_, GetTrackFunction{},
                                                   QStringLiteral("C:\\Prog"));
        return startup_->run();
    }

    std::string core_, client_, captions_, extra_;
    std::unique_ptr<ClientSession> app_;
    std::unique_ptr<FormPrincipal> principal_;
    std::unique_ptr<ClientStartup> startup_;
    int ended_ = 0;
};

TEST_F(StartupTest, ARequiredKeyMissingEndsWithTheConfigurationMessage) {
    const std::pair<std::string*, std::string> cut[] = {{&core_, "ESTAB_CODE=000000000012345\r\n"},
                                                        {&client_, "TimeOut_Login=30\r\n"},
                                                        {&client_, "bMsgIso=N\r\n"}};
    for (const auto& [text, line] : cut) {
        SCOPED_TRACE(line);
        const std::string saved = *text;
        text->erase(text->find(line), line.size());
        dialogs_.clear();
        EXPECT_FALSE(start());
        ASSERT_EQ(dialogs_.messages().size(), 1u) << shown();
        EXPECT_EQ(dialogs_.messages()[0].request.text,
                  QStringLiteral("Erro nos arquivos de configuração!"));
        EXPECT_EQ(dialogs_.messages()[0].request.title, QStringLiteral("Atenção"));
        EXPECT_EQ(startup_->cardScreen(), nullptr);
        *text = saved;
    }
}

TEST_F(StartupTest, ASecondInstanceIsTurnedAway) {
    platform::NamedMutex running(kInstanceMutex);
    ASSERT_TRUE(running.tryLock());
    EXPECT_FALSE(start());
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("O VtxClient já esta ativo.")});
    EXPECT_EQ(dialogs_.messages()[0].request.title, QStringLiteral("Atenção"));
}

TEST_F(StartupTest, AnUnusableLockFolderIsSaidRatherThanASecondInstance) {
    root_.writeFile("run", "a file where the lock folder belongs");
    EXPECT_FALSE(start());
    EXPECT_EQ(dialogs_.texts(),
              QStringList{QStringLiteral("O VtxClient não pode verificar se já está ativo: "
                                         "cannot create the lock in %1: Not a directory")
                              .arg(QString::fromStdString(root_.native("run")))});
}

TEST_F(StartupTest, WithoutTheOperatorTableTheProgramEnds) {
    std::remove(root_.native("C/Vantrix/VXTb_Opr.txt").c_str());
    EXPECT_FALSE(start());
    EXPECT_EQ(
        dialogs_.texts(),
        QStringList{QStringLiteral("Ocorreu o erro: Arquivo VXTb_Opr.txt não foi encontrado.")});
    EXPECT_FALSE(principal_->logonReminder().isActive());
}

TEST_F(StartupTest, StartsOnTheCardScreenAndEndsOnlyOnYes) {
    ASSERT_TRUE(start()) << shown();
    ASSERT_NE(startup_->cardScreen(), nullptr);
    EXPECT_FALSE(startup_->cardScreen()->isHidden());
    EXPECT_EQ(app_->settings.TelaAtual, QStringLiteral("INCIAL"));
    EXPECT_TRUE(principal_->windowTitle().startsWith(
        QStringLiteral("Vantorix Client      Tela 0001 - Inicial e abertura    ")));
    EXPECT_EQ(principal_->size(), QSize(642, 454));
    EXPECT_EQ(principal_->findChild<QPushButton*>(QStringLiteral("cmdSair"))->text(),
              QStringLiteral("F12 - Sai&r"));
    EXPECT_TRUE(principal_->logonReminder().isActive());
    EXPECT_EQ(principal_->logonReminder().interval(), 1);

    principal_->SetaCaption(QString());
    EXPECT_EQ(principal_->windowTitle(), QStringLiteral("Vantorix Client"));

    dialogs_.queueAnswer(MessageAnswer::No);
    principal_->mnuEncerrar_Click();  // TelaAtual "INCIAL": the card screen's exit
    EXPECT_EQ(ended_, 0);
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].request.text, QStringLiteral("Confirma a Saída do Sistema"));
    EXPECT_EQ(preselectedAnswer(dialogs_.messages()[0].request), MessageAnswer::No);
    dialogs_.queueAnswer(MessageAnswer::Yes);
    principal_->cmdSair_Click();
    EXPECT_EQ(ended_, 1);
}

TEST_F(StartupTest, TheCardScreenKeepsEveryControlWholeInsideTheMainWindow) {
    extra_ =
        "[FormInicial]\r\nBtnPreVenda=Y0000\r\ncmdVenda=Y0000\r\ncmdAdmin=Y0000\r\n"
        "CmdConfirmaOper_Caption=Y0000F3 - &Confirma Operadora\r\n"
        "BtnPreVenda_Caption=Y0000F2 - &Pre Autorizacao\r\n"
        "CmdVenda_Caption=Y0000F4 - &Autorizacao\r\n"
        "CmdAdmin_Caption=Y0000F5 - &Administrativas\r\nCmdLimpa_Caption=Y0000F8 - L&impa\r\n"
        "fraSelecionaTipoEstab_Caption=Y0000Tipo do Estabelecimento\r\n"
        "fraIdentifica_Caption=Y0000Identificacao do Portador\r\n"
        "optSelecaoEstab=Y0000&Estabelecimento\r\noptSelecaoRede=Y0000&Rede\r\n"
        "optSelecaoDistribuidor=Y0000&Distribuidor\r\n"
        "optLeitura=Y0000&Leitura\r\noptDigitacao=Y0000&Digitacao\r\n";
    ASSERT_TRUE(start()) << shown();
    principal_->show();
    FormInicial* card = startup_->cardScreen();
    ASSERT_NE(card, nullptr);
    // The rows the screen shows once the card is identified, after it is on
    // the window already.
    for (const char* name :
         {"lblCartao", "txtCartao", "LBCampo1", "txtCampo1", "LBCampo2", "txtCampo2"})
        card->findChild<QWidget*>(QString::fromLatin1(name))->show();
    QApplication::processEvents();

    QWidget* area = principal_->centralWidget();
    int checked = 0;
    for (QWidget* control : card->findChildren<QWidget*>()) {
        const bool isControl =
            qobject_cast<QLabel*>(control) || qobject_cast<QLineEdit*>(control) ||
            qobject_cast<QComboBox*>(control) || qobject_cast<QAbstractButton*>(control) ||
            qobject_cast<QGroupBox*>(control);
        if (!isControl || !control->isVisibleTo(principal_.get())) continue;
        SCOPED_TRACE(control->objectName().toStdString() + " " +
                     control->metaObject()->className());
        const QRect placed(control->mapTo(area, QPoint(0, 0)), control->size());
        EXPECT_TRUE(area->rect().contains(placed)) << "outside the screen area";
        EXPECT_GE(control->height(), control->minimumSizeHint().height()) << "squeezed";
        ++checked;
    }
    EXPECT_GE(checked, 20) << "the captions show the options and buttons";
}

// The program hands the same openers to the sale screens' wiring: the card
// screen the start-up made is reached through them when a pre-sale closes.
TEST_F(StartupTest, TheProgramsOpenersReachTheCardScreenItMade) {
    ASSERT_TRUE(start()) << shown();
    principal_->show();
    ASSERT_TRUE(openers_.showCardScreen);
    EXPECT_TRUE(openers_.openAdminMenu);
    EXPECT_TRUE(openers_.showCardScreenForPreSale);
    app_->settings.TelaAtual.clear();
    principal_->SetaCaption(QString());
    openers_.showCardScreen();
    EXPECT_EQ(app_->settings.TelaAtual, QStringLiteral("INCIAL"));
    EXPECT_TRUE(principal_->windowTitle().contains(QStringLiteral("Tela 0001")))
        << principal_->windowTitle().toStdString();
}

TEST_F(StartupTest, LogonReminderByTheLastLogon) {
    ASSERT_TRUE(start());
    LogonReminder& reminder = principal_->logonReminder();
    app_->clock = [] { return QDateTime(QDate(2026, 3, 9), QTime(12, 0, 0)); };

    // No "Ultimo_Login": never reminded, and the timer stays stopped.
    EXPECT_FALSE(reminder.Timer1_Timer());
    EXPECT_FALSE(reminder.isActive());
    EXPECT_TRUE(dialogs_.forms().isEmpty());

    struct Case {
        const char* value;
        bool due;
    };
    for (const Case& c : {Case{"ontem", true}, Case{"09/03/2026 11:30:00", false},
                          Case{"09/03/2026 11:29:00", true}, Case{"08/03/2026", true}}) {
        SCOPED_TRACE(c.value);
        dialogs_.clear();
        root_.writeFile("C/Vantrix/VtxClient.ini",
                        client_ + "Ultimo_Login=" + c.value + "\r\n" + captions_);
        EXPECT_EQ(reminder.Timer1_Timer(), c.due);
        EXPECT_EQ(dialogs_.forms(),
                  c.due ? QStringList{QStringLiteral("FormMensLogon")} : QStringList{});
        EXPECT_TRUE(reminder.isActive());
        EXPECT_EQ(reminder.interval(), 60000);
    }
}

}  // namespace
}  // namespace vtx::client::test
