// The driver of the Pin family of vendor libraries (library type 0): every
// call names the port (CORE.INI [PINPAD] PINPORT, a number, default 1) and
// returns its status through an out-parameter; the card and the PIN are
// read by starting the read and then asking for its result while the
// library answers busy (1).
//
// The busy loops are bounded: the library's own time-out (60 s) and a short
// pause between busy answers keep a silent PIN pad from holding the station
// for ever; a read also ends when the station asks to abort it (the named
// event of PedidoCancelamento) or the driver's cancel flag is raised.
#pragma once

#include "DriverPinPad.h"

namespace vtx::pinpad {

class DriverPinPadPin : public DriverPinPad {
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

    static constexpr int32_t kTimeoutMs = 60000;
};

}  // namespace vtx::pinpad
