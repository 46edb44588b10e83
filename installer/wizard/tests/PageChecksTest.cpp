// Each page refuses to go on while a field is empty or malformed: the
// check's message in a box titled "Configurador Vantorix Client", the focus
// on the offending field, the page still shown.
#include "WizardHarness.h"

namespace vtx::install {
namespace {

constexpr const char* kCnpj = "CNPJ N\xE3o preenchido ou\r\n preenchido de forma incorreta !";
constexpr const char* kCep = "Cep n\xE3o preenchido ou\r\n preenchido de forma incorreta!";
constexpr const char* kIdle = "Tempo de desconex\xE3o n\xE3o preenchido !";
constexpr const char* kAddress = "Endere\xE7o IP n\xE3o preenchido !";

struct Typed {
    int kind, mode;
    Page page;
    const char* key;
    const char* value;
    const char* message;  // nullptr: the page goes on
};

const Typed kTyped[] = {
    {1, 0, Page::kKind, "DRIVE", "", "Drive do servidor n\xE3o preenchido !"},
    {2, 0, Page::kEstablishment, "CNPJ", "1234567800019", kCnpj},
    {2, 0, Page::kEstablishment, "CNPJ", "1234567800019512", kCnpj},
    {2, 0, Page::kEstablishment, "CNPJ", "12345678000195", nullptr},
    {2, 0, Page::kEstablishment, "CNPJ", "123456780001952", nullptr},
    {2, 0, Page::kEstablishment, "FANTASIA", "", "Nome fantasia n\xE3o preenchido !"},
    {2, 0, Page::kEstablishment, "Logradouro", "", "Logradouro n\xE3o preenchido !"},
    {2, 0, Page::kEstablishment, "Complemento", "", nullptr},
    {2, 0, Page::kEstablishment, "Numero", "", "N\xFAmero N\xE3o Preenchido !"},
    {2, 0, Page::kEstablishment, "CEP", "0131010", kCep},
    {2, 0, Page::kEstablishment, "CEP", "01310100", nullptr},
    {2, 0, Page::kEstablishment, "NOME_INST", "", "Nome do instalador n\xE3o preenchido !"},
    {2, 0, Page::kEstablishment, "DOC_INST", "", "Documento do instalador n\xE3o preenchido !"},
    {2, 2, Page::kDialUp, "DIALUP", "   ", "Nome da conex\xE3o dial-UP n\xE3o preenchido !"},
    {2, 2, Page::kDialUp, "TO", "", kIdle},
    {2, 2, Page::kDialUp, "TO", "0", kIdle},
    {1, 1, Page::kLocalTcpIp, "TCPIP", "", kAddress},
    {1, 1, Page::kLocalTcpIp, "PORTA", "", "Porta Socket n\xE3o preenchida !"},
    {1, 3, Page::kAddressTranslation, "TCPIP", "", kAddress},
};

class PageChecksTest : public WizardTest {};

TEST_F(PageChecksTest, EachFieldRefusedWithItsMessageAndTheFocusOnIt) {
    for (const Typed& t : kTyped) {
        SCOPED_TRACE(std::string(t.key) + "='" + t.value + "'");
        prompts_.shown.clear();
        open(kindAndMode(t.kind, t.mode));  // a kind whose page here is not the last
        walkTo(t.page);
        fillValid();
        type(t.key, t.value);
        if (t.message == nullptr) {
            EXPECT_TRUE(next()) << lastText();
            continue;
        }
        EXPECT_FALSE(next());
        EXPECT_EQ(currentPage(), t.page);
        ASSERT_EQ(prompts_.shown.size(), 1u);
        EXPECT_EQ(prompts_.shown[0].title, "Configurador Vantorix Client");
        EXPECT_EQ(prompts_.shown[0].text, t.message);
        EXPECT_TRUE(focused(t.key));
    }
}

TEST_F(PageChecksTest, WithDadosAdicOnlyTheCnpjAndTradeNameAreAsked) {
    install::InstallDescription description;
    description.dadosAdic = true;
    open(kindAndMode(2), description);
    walkTo(Page::kEstablishment);
    for (const char* key : {"Logradouro", "Complemento", "Numero", "CEP", "NOME_INST", "DOC_INST"}) {
        EXPECT_FALSE(edit(key)->isVisibleTo(current())) << key;
    }
    type("CNPJ", "12345678000195");
    type("FANTASIA", "Loja");
    EXPECT_TRUE(next()) << lastText();
}

TEST_F(PageChecksTest, AKindOutsideTheListIsShownAsNotConfiguredAndRefused) {
    install::InstallAnswers answers;
    answers.server.tipo = "7";
    answers.dial.dialup = "Loja";
    open(answers);
    EXPECT_EQ(combo("TIPO")->currentText(), QString::fromUtf8("Não Configurado"));
    EXPECT_EQ(combo("MODO")->itemText(2), QString::fromUtf8("Discado - Loja"));
    EXPECT_FALSE(next());
    EXPECT_TRUE(focused("TIPO"));
    combo("TIPO")->setCurrentIndex(install::kServidor);
    EXPECT_TRUE(next()) << lastText();
}

}  // namespace
}  // namespace vtx::install
