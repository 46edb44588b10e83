#include "DriverPinPadPin.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <thread>

#include "PedidoCancelamento.h"
#include "vtx/pinpad/VendorApi.h"
#include "vtx/platform/IniFile.h"

namespace vtx::pinpad {
namespace {

using Clock = std::chrono::steady_clock;

// Between two busy answers of the library.
constexpr auto kBusyPause = std::chrono::milliseconds(10);
// The longest a busy loop goes on: the library's time-out and a margin.
constexpr auto kMostBusy = std::chrono::milliseconds(DriverPinPadPin::kTimeoutMs + 5000);

// Calls `step` (which stores a status) while it answers busy and `goOn()`
// holds, at most kMostBusy.
template <typename Step, typename GoOn>
uint16_t whileBusy(Step step, GoOn goOn) {
    const auto until = Clock::now() + kMostBusy;
    uint16_t status = kStatusBusy;
    for (;;) {
        step(status);
        if (status != kStatusBusy || !goOn() || Clock::now() >= until) return status;
        std::this_thread::sleep_for(kBusyPause);
    }
}

}  // namespace

int DriverPinPadPin::Carrega() {
    port_ = static_cast<int32_t>(platform::iniGetInt(coreIni_, "PINPAD", "PINPORT", 1));
    return loadLibrary();
}

int DriverPinPadPin::Descarrega() {
    if (loaded()) Fecha();
    return DriverPinPad::Descarrega();
}

int DriverPinPadPin::Abre() {
    const auto open = entry<OpenPinFn>("OpenPin");
    if (!open) return kMissing;
    uint16_t status = 0;
    open(port_, port_, port_, &status);
    kept(status);
    return Exibe("");
}

int DriverPinPadPin::Fecha() {
    const auto close = entry<ClosePinFn>("ClosePin");
    if (!close) return kMissing;
    uint16_t status = 0;
    close(port_, port_, &status);
    return kept(status);
}

int DriverPinPadPin::LeCartao(std::string& track1, std::string& track2, const char* prompt) {
    Exibe(prompt ? prompt : "Passe o Cartao");
    const auto start = entry<IniciaObtemTrilhaPinFn>("IniciaObtemTrilhaPin");
    const auto result = entry<ObtemTrilhaPinFn>("ObtemTrilhaPin");
    if (!start || !result) return kMissing;
    auto stillWanted = [this] {
        if (PedidoCancelamento() != 0) cancel_ = true;
        return !cancel_.load();
    };
    uint16_t status = whileBusy([&](uint16_t& s) { start(port_, kTimeoutMs, &s); }, stillWanted);
    if (kept(status) != kStatusOk) return status;

    std::array<std::array<char, kGetCardTextSize>, 4> texts{};
    status = whileBusy(
        [&](uint16_t& s) {
            result(port_, texts[0].data(), texts[1].data(), texts[2].data(), texts[3].data(), &s);
        },
        stillWanted);
    if (kept(status) != kStatusOk && !cancel_) return status;
    const int shown = Exibe("");
    // A read the station aborted has no card: it must not pass for one.
    if (cancel_) return kReadCancelled;
    track1 = trackText(texts[0].data(), texts[0].size());
    track2 = trackText(texts[1].data(), texts[1].size());
    return shown;
}

int DriverPinPadPin::LeSenha(std::string& pinBlock) {
    const auto select = entry<SelecionaMasterKeyPinFn>("SelecionaMasterKeyPin");
    const auto start = entry<IniciaObtemSenhaPinFn>("IniciaObtemSenhaPin");
    const auto result = entry<ObtemSenhaPinFn>("ObtemSenhaPin");
    if (!select || !start || !result) return kMissing;
    auto goOn = [this] { return !cancel_.load(); };
    uint16_t status = whileBusy([&](uint16_t& s) { select(port_, 0, &s); }, goOn);
    if (kept(status) != kStatusOk) return status;
    status = whileBusy([&](uint16_t& s) { start(port_, kTimeoutMs, &s); }, goOn);
    if (kept(status) != kStatusOk) return status;
    std::array<char, kGetCardTextSize> out{};
    status = whileBusy([&](uint16_t& s) { result(port_, out.data(), &s); }, goOn);
    pinBlock = trackText(out.data(), out.size());
    return kept(status);
}

int DriverPinPadPin::CancelaEntrada() { return cancelPendingEntry(); }

int DriverPinPadPin::LeTexto(char* buffer, int, int maxLength, const char*) {
    const auto getString = entry<PP_iGetStringFn>("PP_iGetString");
    if (!getString) return kMissing;
    std::array<char, kGetCardTextSize> out{};
    maxLength = std::clamp(maxLength, 0, static_cast<int>(out.size()) - 1);
    const int status =
        kept(getString(1, "Digite sua Senha", static_cast<int16_t>(maxLength), 0, 1, 0, out.data()));
    const std::string text(out.data(), strnlen(out.data(), static_cast<size_t>(maxLength)));
    text.copy(buffer, text.size());
    buffer[text.size()] = '\0';
    return status;
}

int DriverPinPadPin::Exibe(const char* text) {
    const auto send = entry<EnviaMsgStringPinFn>("EnviaMsgStringPin");
    if (!send) return kMissing;
    uint16_t status = 0;
    send(text, port_, text, 1000, &status);
    return kept(status);
}

}  // namespace vtx::pinpad
