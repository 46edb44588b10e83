// The driver of the PP family of vendor libraries (library type 1): open,
// close and display without a port, the card read through PP_iGetCard and
// its parameter block, the PIN through PP_iGetPIN. Before loading, the port
// (one character of CORE.INI [PINPAD] PINPORT) is written into the vendor's
// PPVISA.INI, in the section CORE.INI [PINPAD] PINPAD names.
#pragma once

#include "DriverPinPad.h"

namespace vtx::pinpad {

class DriverPinPadPP : public DriverPinPad {
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
