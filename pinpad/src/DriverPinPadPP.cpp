#include "DriverPinPadPP.h"

#include <array>

#include "PedidoCancelamento.h"
#include "vtx/pinpad/VendorApi.h"
#include "vtx/platform/IniFile.h"

namespace vtx::pinpad {

int DriverPinPadPP::Carrega() {
    const std::string port = setting("PINPORT", 1);
    const std::string section = setting("PINPAD", 9);
    platform::iniWriteString("PPVISA.INI", section, "Port", port);
    return loadLibrary();
}

int DriverPinPadPP::Descarrega() {
    if (loaded()) Fecha();
    return DriverPinPad::Descarrega();
}

int DriverPinPadPP::Abre() {
    const auto open = entry<PP_iOpenFn>("PP_iOpen");
    if (!open) return kMissing;
    kept(open());
    // The open status gives way to the status of the display that follows.
    return Exibe("");
}

int DriverPinPadPP::Fecha() {
    Exibe("");
    const auto close = entry<PP_iCloseFn>("PP_iClose");
    if (!close) return kMissing;
    return kept(close());
}

int DriverPinPadPP::LeCartao(std::string& track1, std::string& track2, const char* prompt) {
    Exibe(prompt ? prompt : "");
    const auto getCard = entry<PP_iGetCardFn>("PP_iGetCard");
    if (!getCard) return kMissing;
    static const char kKey[] = "00000000";
    std::array<std::array<char, kGetCardTextSize>, 5> texts{};
    GetCardBlock block{};
    block.size = sizeof(GetCardBlock);
    block.abortPoll = &PedidoCancelamento;
    block.key = kKey;
    block.track1 = texts[0].data();
    block.track2 = texts[1].data();
    block.work1 = texts[2].data();
    block.work2 = texts[3].data();
    block.work3 = texts[4].data();
    const int status = kept(getCard(&block));
    track1 = trackText(texts[0].data(), texts[0].size());
    track2 = trackText(texts[1].data(), texts[1].size());
    return status == kStatusOk ? 0 : status - 65536;
}

int DriverPinPadPP::LeSenha(std::string& pinBlock) { return readPinBlock(pinBlock); }

int DriverPinPadPP::CancelaEntrada() { return cancelPendingEntry(); }

int DriverPinPadPP::LeTexto(char*, int, int, const char*) { return 0; }

int DriverPinPadPP::Exibe(const char* text) {
    const auto display = entry<PP_iDisplayFn>("PP_iDisplay");
    if (!display) return kMissing;
    return kept(display(text));
}

}  // namespace vtx::pinpad
