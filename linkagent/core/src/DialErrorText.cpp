#include "vtx/linkagent/DialErrorText.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

namespace vtx::linkagent {

namespace {

constexpr int kFirstDialError = 600;
constexpr int kLastDialError = 753;

struct Range {
    int first;
    int last;
};

bool inAny(int error, std::initializer_list<Range> ranges) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [error](const Range& r) { return error >= r.first && error <= r.last; });
}

const char* textOf(int error) {
    if (error < kFirstDialError || error > kLastDialError) return "Erro desconhecido.";
    if (inAny(error, {{601, 627}, {632, 632}, {635, 635}, {749, 753}})) return "Erro na dicagem";
    if (inAny(error, {{628, 629}, {631, 631}, {638, 639}, {677, 677}})) return "Erro no provedor";
    if (inAny(error, {{634, 634}, {640, 647}, {650, 650}, {668, 668}, {716, 748}})) {
        return "Erro de rede";
    }
    if (isPasswordError(error)) return "Erro de Senha";
    switch (error) {
        case 676:
            return "Linha ocupada";
        case 678:
            return "Sem resposta";
        case 679:
            return "Erro de portadora";
        case 680:
            return "Sem tom de discagem";
        default:
            return "Falha no Modem";
    }
}

}  // namespace

bool isPasswordError(int error) {
    return error == 648 || error == 649;
}

std::string dialErrorText(int error) {
    if (error == kFirstDialError) return {};
    char text[64];
    (void)std::snprintf(text, sizeof text, "(%d) %s", error, textOf(error));  // texts are short
    return text;
}

}  // namespace vtx::linkagent
