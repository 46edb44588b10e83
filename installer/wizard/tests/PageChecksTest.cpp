// Each page refuses to go on while a field is empty or malformed: the
// check's message in a box titled "Configurador Vantorix Client", the focus
// on the offending field, the page still shown.
#include <QLineEdit>

#include "WizardHarness.h"

namespace vtx::installer {
namespace {

using install::Page;

constexpr const char* kTitle = "Configurador Vantorix Client";
constexpr const char* kCnpjMessage = "CNPJ N\xE3o preenchido ou\r\n preenchido de forma incorreta !";
constexpr const char* kCepMessage = "Cep n\xE3o preenchido ou\r\n preenchido de forma incorreta!";
constexpr const char* kIdleMessage = "Tempo de desconex\xE3o n\xE3o preenchido !";
constexpr const char* kConnectionMessage = "Nome da conex\xE3o dial-UP n\xE3o preenchido !";
constexpr const char* kAddressMessage = "Endere\xE7o IP n\xE3o preenchido !";
constexpr const char* kPortMessage = "Porta Socket n\xE3o preenchida !";

install::InstallAnswers withKindAndMode(int kind, int mode) {
    install::InstallAnswers answers;
    answers.server.tipo = std::to_string(kind);
    answers.server.modo = std::to_string(mode);
    return answers;
}

class RefusalTest : public WizardTest {
protected:
    // A single-user station: the PIN pad page follows the establishment,
    // so Next runs the establishment page's check.
    void openStation(install::InstallDescription description = {}) {
        open(withKindAndMode(install::kMonoUsuario, install::kDedicadoTcpIp), description);
    }
    // Next on the current page is refused with `message`, focus on `key`.
    void expectRefused(const char* message, const char* key) {
        const Page page = currentPage();
        const size_t boxes = prompts_.shown.size();
        EXPECT_FALSE(next());
        EXPECT_EQ(currentPage(), page);
        ASSERT_EQ(prompts_.shown.size(), boxes + 1);
        EXPECT_EQ(lastBox().title, kTitle);
        EXPECT_EQ(lastBox().text, message);
        EXPECT_TRUE(focused(key)) << "focus not on " << key;
    }
    void expectAccepted() {
        const size_t boxes = prompts_.shown.size();
        EXPECT_TRUE(next());
        EXPECT_EQ(prompts_.shown.size(), boxes) << lastBox().text;
    }
};

TEST_F(RefusalTest, CnpjOfFourteenOrFifteenCharactersOnly) {
    for (const char* cnpj : {"1234567800019", "1234567800019512"}) {
        openStation();
        walkTo(Page::kEstablishment);
        fillValid();
        type("CNPJ", cnpj);
        SCOPED_TRACE(cnpj);
        expectRefused(kCnpjMessage, "CNPJ");
    }
    for (const char* cnpj : {"12345678000195", "123456780001952"}) {
        openStation();
        walkTo(Page::kEstablishment);
        fillValid();
        type("CNPJ", cnpj);
        SCOPED_TRACE(cnpj);
        expectAccepted();
    }
}

TEST_F(RefusalTest, EachEstablishmentFieldInItsOrder) {
    struct Case {
        const char* key;
        const char* message;
    };
    const Case cases[] = {
        {"CNPJ", kCnpjMessage},
        {"FANTASIA", "Nome fantasia n\xE3o preenchido !"},
        {"Logradouro", "Logradouro n\xE3o preenchido !"},
        {"Numero", "N\xFAmero N\xE3o Preenchido !"},
        {"CEP", kCepMessage},
        {"NOME_INST", "Nome do instalador n\xE3o preenchido !"},
        {"DOC_INST", "Documento do instalador n\xE3o preenchido !"},
    };
    openStation();
    walkTo(Page::kEstablishment);
    for (const Case& c : cases) {
        fillValid();
        type(c.key, "");
        SCOPED_TRACE(c.key);
        expectRefused(c.message, c.key);
    }
    // The complement may stay empty.
    fillValid();
    type("Complemento", "");
    expectAccepted();
}

TEST_F(RefusalTest, CepOfEightCharactersAtLeast) {
    openStation();
    walkTo(Page::kEstablishment);
    fillValid();
    type("CEP", "0131010");
    expectRefused(kCepMessage, "CEP");
    type("CEP", "01310100");
    expectAccepted();
}

TEST_F(RefusalTest, WithDadosAdicTheAddressAndInstallerAreNotAsked) {
    install::InstallDescription description;
    description.dadosAdic = true;
    openStation(description);
    walkTo(Page::kEstablishment);
    for (const char* key : {"Logradouro", "Complemento", "Numero", "CEP", "NOME_INST", "DOC_INST"}) {
        EXPECT_FALSE(edit(key)->isVisibleTo(current())) << key;
    }
    EXPECT_TRUE(edit("CNPJ")->isVisibleTo(current()));
    type("FANTASIA", "Loja");
    type("CNPJ", "123");
    expectRefused(kCnpjMessage, "CNPJ");
    type("CNPJ", "12345678000195");
    expectAccepted();
}

TEST_F(RefusalTest, DialUpNeedsAConnectionNameAndAnIdleTimeOtherThanZero) {
    open(withKindAndMode(install::kMonoUsuario, install::kDiscado));
    walkTo(Page::kDialUp);
    type("DIALUP", "   ");
    type("TO", "60");
    expectRefused(kConnectionMessage, "DIALUP");
    type("DIALUP", "Loja");
    for (const char* idle : {"", "0"}) {
        type("TO", idle);
        SCOPED_TRACE(idle);
        expectRefused(kIdleMessage, "TO");
    }
    type("TO", "60");
    expectAccepted();
}

TEST_F(RefusalTest, LocalTcpIpNeedsAddressThenPort) {
    open(withKindAndMode(install::kServidor, install::kIpLocal));
    walkTo(Page::kLocalTcpIp);
    type("TCPIP", "");
    type("PORTA", "");
    expectRefused(kAddressMessage, "TCPIP");
    type("TCPIP", "127.0.0.1");
    expectRefused(kPortMessage, "PORTA");
    type("PORTA", "5002");
    expectAccepted();
}

TEST_F(RefusalTest, AddressTranslationNeedsTheAddress) {
    open(withKindAndMode(install::kServidor, install::kTraducaoEndereco));
    walkTo(Page::kAddressTranslation);
    type("TCPIP", "");
    expectRefused(kAddressMessage, "TCPIP");
    type("TCPIP", "127.0.0.2");
    expectAccepted();
}

TEST_F(RefusalTest, AKindOutsideTheListIsShownAsNotConfiguredAndRefused) {
    install::InstallAnswers answers;
    answers.server.tipo = "7";
    open(answers);
    ASSERT_EQ(currentPage(), Page::kKind);
    EXPECT_EQ(combo("TIPO")->currentText(), QString::fromUtf8("Não Configurado"));
    const size_t boxes = prompts_.shown.size();
    EXPECT_FALSE(next());
    ASSERT_EQ(prompts_.shown.size(), boxes + 1);
    EXPECT_EQ(lastBox().title, kTitle);
    EXPECT_TRUE(focused("TIPO"));
    combo("TIPO")->setCurrentIndex(install::kServidor);
    expectAccepted();
}

TEST_F(RefusalTest, KindPageListsTheKindsAndTheDialUpConnection) {
    install::InstallAnswers answers;
    answers.dial.dialup = "Loja";
    open(answers);
    QComboBox* kinds = combo("TIPO");
    ASSERT_EQ(kinds->count(), 5);
    EXPECT_EQ(kinds->itemText(1), QString::fromUtf8("Servidor/Estação"));
    EXPECT_EQ(kinds->itemText(4), QString::fromUtf8("Checkout/Caixa"));
    QComboBox* modes = combo("MODO");
    ASSERT_EQ(modes->count(), 4);
    EXPECT_EQ(modes->itemText(2), QString::fromUtf8("Discado - Loja"));
    // The installation path is a station's and a checkout's only.
    EXPECT_FALSE(edit("PATH")->isEnabled());
    kinds->setCurrentIndex(install::kEstacao);
    EXPECT_TRUE(edit("PATH")->isEnabled());
}

}  // namespace
}  // namespace vtx::installer
