#include "vtx/linkagent/DialErrorText.h"

#include <gtest/gtest.h>

namespace vtx::linkagent {
namespace {

void expectText(std::initializer_list<int> codes, const std::string& text) {
    for (int code : codes) {
        EXPECT_EQ(dialErrorText(code), "(" + std::to_string(code) + ") " + text) << code;
    }
}

TEST(DialErrorText, EachRangeHasItsText) {
    EXPECT_EQ(dialErrorText(600), "");
    expectText({-1, 0, 599, 754, 10000}, "Erro desconhecido.");
    expectText({601, 615, 627, 632, 635, 749, 753}, "Erro na dicagem");
    expectText({628, 629, 631, 638, 639, 677}, "Erro no provedor");
    expectText({634, 640, 645, 647, 650, 668, 716, 730, 748}, "Erro de rede");
    expectText({648, 649}, "Erro de Senha");
    expectText({676}, "Linha ocupada");
    expectText({678}, "Sem resposta");
    expectText({679}, "Erro de portadora");
    expectText({680}, "Sem tom de discagem");
    expectText({630, 633, 636, 637, 651, 667, 669, 675, 681, 711, 715}, "Falha no Modem");
}

}  // namespace
}  // namespace vtx::linkagent
