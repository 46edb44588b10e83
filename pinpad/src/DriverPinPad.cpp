#include "DriverPinPad.h"

#include <array>
#include <cstring>

#include "vtx/pinpad/VendorApi.h"
#include "vtx/platform/IniFile.h"

namespace vtx::pinpad {

DriverPinPad::~DriverPinPad() = default;

int DriverPinPad::Descarrega() {
    library_.reset();
    return 0;
}

std::string DriverPinPad::setting(const char* key, size_t maxLength) const {
    return platform::iniGetString(coreIni_, "PINPAD", key, "", maxLength);
}

int DriverPinPad::loadLibrary() {
    const std::string name = setting("DLLPIN", 259);
    if (name.empty()) return kMissing;
    library_ = platform::SharedLibrary::load(name);
    return library_ ? 0 : kMissing;
}

int DriverPinPad::cancelPendingEntry() {
    const auto getString = entry<PP_iGetStringFn>("PP_iGetString");
    if (!getString) return kMissing;
    return kept(getString(-1, nullptr, 0, 0, 0, 0, nullptr));
}

int DriverPinPad::readPinBlock(std::string& pinBlock) {
    const auto getPin = entry<PP_iGetPINFn>("PP_iGetPIN");
    if (!getPin) return kMissing;
    std::array<char, kGetCardTextSize> out{};
    GetPinBlock block{30, "Digite sua Senha", out.data()};
    const int status = kept(getPin(0, &block));
    pinBlock = trackText(out.data(), out.size());
    return status;
}

std::string trackText(const char* buffer, size_t size) {
    return std::string(buffer, strnlen(buffer, std::min(size, kTrackLength)));
}

}  // namespace vtx::pinpad
