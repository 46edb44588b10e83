#include "DriverPinPadBasico.h"

namespace vtx::pinpad {

int DriverPinPadBasico::Carrega() { return loadLibrary(); }

int DriverPinPadBasico::Descarrega() {
    if (loaded()) Fecha();
    return DriverPinPad::Descarrega();
}

int DriverPinPadBasico::Abre() {
    Exibe("");
    return status_;
}

int DriverPinPadBasico::Fecha() {
    Exibe("");
    return 0;
}

int DriverPinPadBasico::LeCartao(std::string&, std::string&, const char*) { return kNoCardRead; }

// As the PP family.
int DriverPinPadBasico::LeSenha(std::string& pinBlock) { return readPinBlock(pinBlock); }

int DriverPinPadBasico::CancelaEntrada() { return cancelPendingEntry(); }

int DriverPinPadBasico::LeTexto(char*, int, int, const char*) { return 0; }

int DriverPinPadBasico::Exibe(const char*) { return 0; }

}  // namespace vtx::pinpad
