// The driver of any other library type: the library is loaded and a PIN
// entry may be cancelled, but it has no card-reading entry point, so
// LeCartao reads no card and answers kNoCardRead (the client shows its card
// reading error for it).
#pragma once

#include "DriverPinPad.h"

namespace vtx::pinpad {

inline constexpr int kNoCardRead = -20;

class DriverPinPadBasico : public DriverPinPad {
public:
    using DriverPinPad::DriverPinPad;
    int Carrega() override;
    int Descarrega() override;
    int Abre() override;
    int Fecha() override;
    int LeCartao(std::string& track1, std::string& track2, const char* prompt) override;
    int LeSenha(std::string& pinBlock) override;
    int CancelaEntrada() override;
    int LeTexto(char* buffer, int minLength, int maxLength, const char* prompt) override;
    int Exibe(const char* text) override;
};

}  // namespace vtx::pinpad
