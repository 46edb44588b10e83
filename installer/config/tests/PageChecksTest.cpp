// The page checks of the installation: each page refuses to go on while a
// field is empty or malformed, names the field, and the pages visited follow
// the installation kind and access mode.
#include "vtx/installer/PageChecks.h"

#include <gtest/gtest.h>

namespace vtx::install {
namespace {

InstallAnswers establishment() {
    InstallAnswers a;
    a.server.tipo = "1";
    a.server.modo = "1";
    a.estab.cnpj = "12345678000190";
    a.estab.fantasia = "Farmacia Demo";
    a.estab.logradouro = "Rua das Flores";
    a.estab.numero = "100";
    a.estab.cep = "01234567";
    a.estab.nomeInst = "Ana Souza";
    a.estab.docInst = "12345678900";
    return a;
}

std::string refusal(Page page, const InstallAnswers& a, const InstallDescription& d = {}) {
    auto failure = checkPage(page, a, d);
    return failure ? failure->field + ": " + failure->message : "";
}

TEST(PageChecksTest, EstablishmentPageAcceptsFourteenOrFifteenCharacterCnpj) {
    InstallAnswers a = establishment();
    for (const char* cnpj : {"12345678000190", "012345678000190"}) {
        a.estab.cnpj = cnpj;
        EXPECT_EQ(refusal(Page::kEstablishment, a), "") << cnpj;
    }
    for (const char* cnpj : {"", "1234567800019", "0123456780001901"}) {
        a.estab.cnpj = cnpj;
        EXPECT_EQ(refusal(Page::kEstablishment, a),
                  "CNPJ: CNPJ N\xE3o preenchido ou\r\n preenchido de forma incorreta !")
            << cnpj;
    }
}

TEST(PageChecksTest, EstablishmentPageAsksEachFieldInOrder) {
    struct Case {
        std::string InstallAnswers::Estab::*field;
        const char* expected;
    } cases[] = {
        {&InstallAnswers::Estab::fantasia, "FANTASIA: Nome fantasia n\xE3o preenchido !"},
        {&InstallAnswers::Estab::logradouro, "Logradouro: Logradouro n\xE3o preenchido !"},
        {&InstallAnswers::Estab::numero, "Numero: N\xFAmero N\xE3o Preenchido !"},
        {&InstallAnswers::Estab::cep,
         "CEP: Cep n\xE3o preenchido ou\r\n preenchido de forma incorreta!"},
        {&InstallAnswers::Estab::nomeInst, "NOME_INST: Nome do instalador n\xE3o preenchido !"},
        {&InstallAnswers::Estab::docInst, "DOC_INST: Documento do instalador n\xE3o preenchido !"},
    };
    for (const Case& c : cases) {
        InstallAnswers a = establishment();
        a.estab.*c.field = "   ";
        EXPECT_EQ(refusal(Page::kEstablishment, a), c.expected);
    }
    // The complement may stay empty; the postal code needs 8 characters.
    InstallAnswers a = establishment();
    a.estab.complemento = "";
    a.estab.cep = "0123456";
    EXPECT_EQ(refusal(Page::kEstablishment, a).substr(0, 4), "CEP:");
    a.estab.cep = "01234-567";
    EXPECT_EQ(refusal(Page::kEstablishment, a), "");
    // The first failing field is the one named, in the page's order.
    a = establishment();
    a.estab.numero = "";
    a.estab.cnpj = "1";
    EXPECT_EQ(refusal(Page::kEstablishment, a).substr(0, 5), "CNPJ:");
}

TEST(PageChecksTest, WithAdditionalDataTheEstablishmentPageAsksNoAddress) {
    InstallAnswers a;
    a.estab.cnpj = "12345678000190";
    a.estab.fantasia = "Farmacia Demo";
    InstallDescription d;
    d.dadosAdic = true;
    EXPECT_EQ(refusal(Page::kEstablishment, a, d), "");
    a.estab.fantasia = "";
    EXPECT_EQ(refusal(Page::kEstablishment, a, d), "FANTASIA: Nome fantasia n\xE3o preenchido !");
    a.estab.fantasia = "X";
    EXPECT_EQ(refusal(Page::kEstablishment, a, {}), "Logradouro: Logradouro n\xE3o preenchido !");
}

TEST(PageChecksTest, DialUpPageNeedsAConnectionAndAnIdleTimeOtherThanZero) {
    InstallAnswers a;
    a.dial.dialup = "  Provedor";
    a.dial.to = "120";
    EXPECT_EQ(refusal(Page::kDialUp, a), "");
    for (const char* to : {"", "0", "000", "abc", "-5", "1 2"}) {
        a.dial.to = to;
        EXPECT_EQ(refusal(Page::kDialUp, a), "TO: Tempo de desconex\xE3o n\xE3o preenchido !") << to;
    }
    a.dial.to = "60";
    a.dial.dialup = "    ";
    EXPECT_EQ(refusal(Page::kDialUp, a), "DIALUP: Nome da conex\xE3o dial-UP n\xE3o preenchido !");
}

TEST(PageChecksTest, AddressPagesNeedAddressThenPort) {
    InstallAnswers a;
    a.ipLocal.tcpip = "";
    a.ipLocal.porta = "";
    EXPECT_EQ(refusal(Page::kLocalTcpIp, a), "TCPIP: Endere\xE7o IP n\xE3o preenchido !");
    a.ipLocal.tcpip = "10.0.0.5";
    EXPECT_EQ(refusal(Page::kLocalTcpIp, a), "PORTA: Porta Socket n\xE3o preenchida !");
    a.ipLocal.porta = "9999";
    EXPECT_EQ(refusal(Page::kLocalTcpIp, a), "");
    // A port the route records' four columns cannot hold is refused.
    for (const char* port : {"50020", "0", "50x2"}) {
        a.ipLocal.porta = port;
        EXPECT_EQ(refusal(Page::kLocalTcpIp, a).substr(0, 6), "PORTA:") << port;
    }
    a.ipNat.tcpip = " ";
    EXPECT_EQ(refusal(Page::kAddressTranslation, a), "TCPIP: Endere\xE7o IP n\xE3o preenchido !");
}

TEST(PageChecksTest, UnknownKindOrModeIsNotConfigured) {
    InstallAnswers a;
    a.server.tipo = "7";
    EXPECT_EQ(kindCaption(a.kind()), "N\xE3o Configurado");
    EXPECT_EQ(refusal(Page::kKind, a).substr(0, 5), "TIPO:");
    EXPECT_EQ(pagesFor(a, {}), std::vector<Page>{Page::kKind});
    a.server.tipo = "2";
    a.server.modo = "x";
    EXPECT_EQ(refusal(Page::kKind, a).substr(0, 5), "MODO:");
    EXPECT_EQ(accessModeCaption(2, "Provedor"), "Discado - Provedor");
}

TEST(PageChecksTest, PagesFollowKindAndAccessMode) {
    auto pages = [](const char* tipo, const char* modo, InstallDescription d = {}) {
        InstallAnswers a;
        a.server.tipo = tipo;
        a.server.modo = modo;
        return pagesFor(a, d);
    };
    using P = Page;
    EXPECT_EQ(pages("0", "0"), (std::vector<P>{P::kKind, P::kEstablishment}));
    EXPECT_EQ(pages("1", "1"), (std::vector<P>{P::kKind, P::kLocalTcpIp, P::kEstablishment, P::kPinPad}));
    EXPECT_EQ(pages("2", "2"), (std::vector<P>{P::kKind, P::kDialUp, P::kEstablishment, P::kPinPad}));
    EXPECT_EQ(pages("1", "3"),
              (std::vector<P>{P::kKind, P::kAddressTranslation, P::kEstablishment, P::kPinPad}));
    EXPECT_EQ(pages("3", "2"), (std::vector<P>{P::kKind, P::kServerMedium, P::kStation, P::kPinPad}));
    EXPECT_EQ(pages("4", "0"), (std::vector<P>{P::kKind, P::kServerMedium, P::kStation, P::kPinPad}));
    InstallDescription noPinPad;
    noPinPad.ativaEstacao = true;
    EXPECT_EQ(pages("2", "0", noPinPad), (std::vector<P>{P::kKind, P::kEstablishment}));
    InstallDescription prefilled;
    prefilled.tipoDados = true;
    EXPECT_EQ(pages("2", "0", prefilled).back(), P::kReview);
    EXPECT_EQ(pages("3", "0", prefilled).back(), P::kPinPad);
}

TEST(PageChecksTest, CheckAnswersJudgesOnlyTheVisitedPages) {
    InstallAnswers a = establishment();
    a.dial = {};  // not visited: access mode 1
    EXPECT_FALSE(checkAnswers(a, {}));
    a.server.modo = "2";
    auto failure = checkAnswers(a, {});
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->field, "DIALUP");
    // A station (kind 3) asks no establishment.
    a = {};
    a.server.tipo = "3";
    EXPECT_FALSE(checkAnswers(a, {}));
}

}  // namespace
}  // namespace vtx::install
