// The card screen: PIN pad results, the keyboard reader's Enter keys, the
// checks of a typed card, the caption rules, and the identification field
// sent when Enter in the field starts the sale.
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

#include "screens/FormInicial.h"
#include "widgets/Hourglass.h"
#include "screens/tests/ScreenFixture.h"

namespace vtx::client::test {
namespace {

class FormInicialTest : public ScreenTest {
protected:
    FormInicial& open() {
        form_ =
            std::make_unique<FormInicial>(session_, frame_, openers_, [this] { return track_; });
        form_->show();
        return *form_;
    }
    template <class W = QWidget>
    W* child(const char* name) {
        W* widget = form_->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void pressEnter(const char* control) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(child(control), &press);
    }
    void expectNeutral() {
        EXPECT_TRUE(child("txtCartao")->isHidden());
        EXPECT_FALSE(child("cmdConfirmaOper")->isHidden());
        EXPECT_TRUE(child("cmdConfirmaCartao")->isHidden());
        EXPECT_TRUE(child("cmdAdmin")->isEnabled());
        EXPECT_FALSE(child("BtnPreVenda")->isEnabled());
        EXPECT_TRUE(child("cbOperadora")->isEnabled());
    }

    std::optional<TrackRead> track_;
    std::unique_ptr<FormInicial> form_;
};

TEST_F(FormInicialTest, PinPadFailuresEndInTheNeutralState) {
    session_.settings.LeitorType = 2;
    struct Case {
        int result;
        const char* message;  // nullptr: no message
    };
    for (const Case& c :
         {Case{-4, nullptr}, Case{-5, "Erro no Acesso ao PinPad"},
          Case{-20, "Erro na Leitura do Cartão"}, Case{-65335, "Erro na Leitura do Cartão"}}) {
        SCOPED_TRACE(c.result);
        dialogs_.clear();
        track_ = TrackRead{c.result, QStringLiteral("ignored")};
        open().cmdConfirmaOper_Click();
        if (c.message == nullptr) {
            EXPECT_TRUE(dialogs_.messages().empty()) << shown();
        } else {
            ASSERT_EQ(dialogs_.messages().size(), 1u) << shown();
            EXPECT_EQ(dialogs_.messages()[0].request.text, QString::fromUtf8(c.message));
            EXPECT_EQ(dialogs_.messages()[0].request.title, QStringLiteral("Leitura do Cartão"));
        }
        EXPECT_EQ(dialogs_.forms(), QStringList{QStringLiteral("FormPinPad")});
        expectNeutral();
        EXPECT_TRUE(child("txtCartao")->property("text").toString().isEmpty());
    }
}

TEST_F(FormInicialTest, MissingPinPadLibraryIsReportedAndReadsAsMinusOne) {
    session_.settings.LeitorType = 2;
    track_.reset();  // the library cannot be reached
    open().cmdConfirmaOper_Click();
    EXPECT_EQ(
        dialogs_.texts(),
        (QStringList{QStringLiteral("Ocorreu o erro: 161 - Impossivel acessar Módulo VX32_Pin.dll"),
                     QStringLiteral("Erro no Acesso ao PinPad")}));
    expectNeutral();
}

TEST_F(FormInicialTest, PinPadTrackIdentifiesTheCard) {
    session_.settings.LeitorType = 2;
    track_ = TrackRead{0, QStringLiteral("  6012345678901234ç0123:  ")};
    open().cmdConfirmaOper_Click();
    EXPECT_TRUE(dialogs_.messages().empty()) << shown();
    EXPECT_EQ(session_.cartao.numero, QStringLiteral("6012345678901234Ç0123:"));
    EXPECT_TRUE(child("cmdConfirmaCartao")->isHidden());
    EXPECT_FALSE(child("txtCampo1")->isHidden()) << "the administrator asks for field 1";
    EXPECT_TRUE(child("BtnPreVenda")->isEnabled());
    EXPECT_FALSE(child("cmdAdmin")->isEnabled());
    EXPECT_FALSE(child("optLeitura")->isEnabled());
}

TEST_F(FormInicialTest, KeyboardReaderConfirmsAtTheSecondEnter) {
    session_.settings.LeitorType = 1;
    open().cmdConfirmaOper_Click();
    auto* card = child<QLineEdit>("txtCartao");
    ASSERT_TRUE(child<QRadioButton>("optLeitura")->isChecked());
    EXPECT_EQ(card->echoMode(), QLineEdit::Password);
    card->setText(QStringLiteral("%B6012345678901234^MARIA?"));
    pressEnter("txtCartao");
    EXPECT_FALSE(child("cmdConfirmaCartao")->isHidden()) << "the first Enter is swallowed";
    EXPECT_TRUE(session_.cartao.numero.isEmpty());
    EXPECT_EQ(comm_.calls, 0);
    card->setText(card->text() + QStringLiteral(";6012345678901234=2912?"));
    pressEnter("txtCartao");
    EXPECT_TRUE(child("cmdConfirmaCartao")->isHidden());
    EXPECT_EQ(session_.cartao.numero,
              QStringLiteral("%B6012345678901234^MARIA?;6012345678901234=2912?"));
    EXPECT_TRUE(dialogs_.messages().empty()) << shown();
}

TEST_F(FormInicialTest, TypedCardChecks) {
    open().cmdConfirmaOper_Click();
    auto* card = child<QLineEdit>("txtCartao");
    EXPECT_EQ(card->maxLength(), 19);
    struct Case {
        const char* card;
        const char* message;  // nullptr: accepted
    };
    for (const Case& c :
         {Case{"", "Digite o número do Cartão. Tente novamente!"},
          Case{"60123456789.5",
               "Dados Inválidos, digite apenas números no campo cartão. Tente novamente!"},
          Case{"6012E45678",
               "Dados Inválidos, digite apenas números no campo cartão. Tente novamente!"},
          Case{"601234567", "Digite pelo menos 10 números no campo cartão. Tente novamente!"},
          Case{"6012345678", nullptr}}) {
        SCOPED_TRACE(c.card);
        dialogs_.clear();
        card->setText(QString::fromLatin1(c.card));
        EXPECT_EQ(form_->ValidaCartao(), c.message == nullptr);
        if (c.message) {
            ASSERT_EQ(dialogs_.messages().size(), 1u);
            EXPECT_EQ(dialogs_.messages()[0].request.text, QString::fromUtf8(c.message));
            EXPECT_EQ(dialogs_.messages()[0].request.title, QStringLiteral("Login"));
        } else {
            EXPECT_TRUE(dialogs_.messages().empty()) << shown();
        }
    }
    // Enter on a refused card neither identifies it nor starts a flow.
    card->setText(QStringLiteral("123"));
    pressEnter("txtCartao");
    EXPECT_FALSE(child("cmdConfirmaCartao")->isHidden());
    EXPECT_EQ(comm_.calls, 0);
}

TEST_F(FormInicialTest, CaptionSlotsPerTypeAndTheHiddenTypeFrame) {
    // A 35-character value defines type 1 only.
    setCaption("FormInicial", "BtnPreVenda", slot("Y", 0, 0, {}));
    open();
    child<QRadioButton>("optSelecaoRede")->click();
    EXPECT_EQ(session_.settings.TipoEstab, 2);
    EXPECT_TRUE(child("BtnPreVenda")->isHidden());
    child<QRadioButton>("optSelecaoEstab")->click();
    EXPECT_FALSE(child("BtnPreVenda")->isHidden());
    EXPECT_FALSE(child("fraSelecionaTipoEstab")->isHidden());

    for (const char* key : {"optSelecaoEstab", "optSelecaoRede", "optSelecaoDistribuidor"})
        setCaption("FormInicial", key, allTypes(slot("N", 0, 0, QStringLiteral("x"))));
    form_->TravaCampo(false);
    EXPECT_TRUE(child("fraSelecionaTipoEstab")->isHidden());
}

TEST_F(FormInicialTest, EnterInTheFieldStartsTheSaleWithTheFieldAsTyped) {
    setCaption("FormInicial", "BtnPreVenda", allTypes(slot("N", 0, 0, {})));
    int preSales = 0;
    openers_.openPreSale = [&] { ++preSales; };
    comm_.reply = [](QString& exchange) {
        const QString answer = QStringLiteral("009-000=00;012-000=000777;");
        exchange = QString::number(answer.size()).rightJustified(4, u'0') + answer;
        return 1;
    };
    open().cmdConfirmaOper_Click();
    child<QLineEdit>("txtCartao")->setText(QStringLiteral("6012345678901234"));
    pressEnter("txtCartao");
    ASSERT_FALSE(child("txtCampo1")->isHidden());
    child<QLineEdit>("txtCampo1")->setText(QStringLiteral("123"));
    pressEnter("txtCampo1");
    ASSERT_EQ(comm_.calls, 1) << shown();
    EXPECT_TRUE(comm_.sent[0].contains(QStringLiteral("949-000=03123;")))
        << comm_.sent[0].toStdString();
    EXPECT_TRUE(comm_.sent[0].contains(QStringLiteral("953-000=6012345678901234;")));
    EXPECT_EQ(preSales, 1);
    EXPECT_EQ(session_.settings.TelaAtual, QStringLiteral("VENDA"));
    EXPECT_EQ(session_.nsu, QStringLiteral("000777"));
    expectNeutral();
}

TEST_F(FormInicialTest, PreSaleAsksTheExternalSystemToIdentifyTheCardholderAtMostThreeTimes) {
    session_.settings.IdentificaCartaoDS = true;
    comm_.reply = [](QString& exchange) {
        const QString answer = QStringLiteral("009-000=00;012-000=000778;");
        exchange = QString::number(answer.size()).rightJustified(4, u'0') + answer;
        return 1;
    };
    int identifications = 0, clears = 0, preSales = 0;
    openers_.identifyCard = [&] {
        ++identifications;
        return QStringLiteral("N");  // never identified
    };
    openers_.clearCardIdentification = [&] { ++clears; };
    openers_.openPreSale = [&] { ++preSales; };
    dialogs_.queueAnswer(MessageAnswer::Yes);
    dialogs_.queueAnswer(MessageAnswer::Yes);
    open().cmdConfirmaOper_Click();
    child<QLineEdit>("txtCartao")->setText(QStringLiteral("6012345678901234"));
    pressEnter("txtCartao");
    child<QLineEdit>("txtCampo1")->setText(QStringLiteral("123"));
    form_->BtnPreVenda_Click();

    // The first try and two more after "Deseja digitar novamente?".
    EXPECT_EQ(identifications, 3);
    EXPECT_EQ(clears, 3);
    ASSERT_EQ(dialogs_.messages().size(), 2u) << shown();
    EXPECT_EQ(dialogs_.messages()[0].request.text, QStringLiteral("Deseja digitar novamente?"));
    EXPECT_EQ(dialogs_.messages()[0].request.defaultButton, MessageAnswer::No);
    EXPECT_EQ(preSales, 1);  // the pre-sale opens all the same
    EXPECT_EQ(session_.settings.TelaAtual, QStringLiteral("PREVENDA"));
}

// The host accepts every eligibility request.
int acceptEligibility(QString& exchange) {
    const QString answer = QStringLiteral("009-000=00;012-000=000779;");
    exchange = QString::number(answer.size()).rightJustified(4, u'0') + answer;
    return 1;
}

TEST_F(FormInicialTest, EscapeEndsAfterConfirmationAsEscEncerrarSays) {
    open();
    dialogs_.queueAnswer(MessageAnswer::No);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(child("cbOperadora"), &escape);
    ASSERT_EQ(dialogs_.messages().size(), 1u) << shown();
    EXPECT_EQ(dialogs_.messages()[0].request.text, QStringLiteral("Confirma a Saída do Sistema"));
    EXPECT_EQ(dialogs_.messages()[0].request.defaultButton, MessageAnswer::No);
    EXPECT_EQ(frame_.encerrado, 0);

    dialogs_.queueAnswer(MessageAnswer::Yes);
    QKeyEvent again(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(child("cbOperadora"), &again);
    EXPECT_EQ(frame_.encerrado, 1);
}

TEST_F(FormInicialTest, TheBusyPointerShowsWhileTheEligibilityRequestIsOut) {
    std::vector<bool> busy;
    comm_.reply = [&busy](QString& exchange) {
        busy.push_back(hourglassShown() && QGuiApplication::overrideCursor() != nullptr &&
                       QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor);
        return acceptEligibility(exchange);
    };
    open().cmdConfirmaOper_Click();
    child<QLineEdit>("txtCartao")->setText(QStringLiteral("6012345678901234"));
    pressEnter("txtCartao");
    child<QLineEdit>("txtCampo1")->setText(QStringLiteral("123"));
    form_->cmdVenda_Click();
    EXPECT_EQ(busy, std::vector<bool>{true}) << shown();
    EXPECT_FALSE(hourglassShown());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FormInicialTest, ExternalIdentificationWithoutThePriceSystemIsSaidOnce) {
    session_.settings.IdentificaCartaoDS = true;  // and no identifyCard opener
    comm_.reply = acceptEligibility;
    int preSales = 0;
    openers_.openPreSale = [&] { ++preSales; };
    open();
    for (int sale = 0; sale < 2; ++sale) {
        form_->cmdConfirmaOper_Click();
        child<QLineEdit>("txtCartao")->setText(QStringLiteral("6012345678901234"));
        pressEnter("txtCartao");
        child<QLineEdit>("txtCampo1")->setText(QStringLiteral("123"));
        form_->BtnPreVenda_Click();
    }
    EXPECT_EQ(preSales, 2) << "the pre-authorisation goes on without it";
    ASSERT_EQ(dialogs_.messages().size(), 1u) << shown();
    EXPECT_TRUE(dialogs_.messages()[0].request.text.contains(
        QStringLiteral("bIdentificaCartao_DS")));
    EXPECT_EQ(dialogs_.messages()[0].request.title, QStringLiteral("Atenção"));
    EXPECT_EQ(dialogs_.messages()[0].request.icon, MessageIcon::Warning);
}

TEST_F(FormInicialTest, PreSaleFromTheMenuAsksForTheCardOfTheChosenAdministrator) {
    session_.operadoras.setRecords(
        {OperatorRecord::parse(operatorLine("REDE ALFA", "ALFA0001", " ", 0, 0, "")),
         OperatorRecord::parse(operatorLine("REDE BETA", "BETA0001", " ", 0, 0, ""))});
    setCaption("FormInicial", "cmdVenda", allTypes(slot("Y", 0, 0, {})));
    open();
    session_.settings.AdmSelecionada = 2;
    form_->hide();
    form_->abrePreVenda();
    EXPECT_FALSE(form_->isHidden());
    EXPECT_EQ(child<QComboBox>("cbOperadora")->currentIndex(), 1);
    EXPECT_EQ(child<QLineEdit>("txtAdministradora")->text(), QStringLiteral("BETA0001"));
    EXPECT_FALSE(child("txtCartao")->isHidden()) << "the card is asked for at once";
    EXPECT_FALSE(child("cmdConfirmaCartao")->isHidden());
    child<QLineEdit>("txtCartao")->setText(QStringLiteral("6012345678901234"));
    pressEnter("txtCartao");
    EXPECT_TRUE(child("BtnPreVenda")->isEnabled());
    EXPECT_EQ(form_->focusWidget(), child("BtnPreVenda")) << "the pre-authorisation waits";
    EXPECT_TRUE(dialogs_.messages().empty()) << shown();

    // Without a chosen administrator the screen is simply neutral.
    session_.settings.AdmSelecionada = 0;
    form_->hide();
    form_->abrePreVenda();
    expectNeutral();
}

}  // namespace
}  // namespace vtx::client::test
