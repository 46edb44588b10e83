// CriaDriver: the driver for the station's library type, loaded and the PIN
// pad opened. DLLTYPE 1 gives DriverPinPadPP, 0 DriverPinPadPin, any other
// value DriverPinPadBasico.
//
// Thread-safety: the caller's thread; the driver it creates belongs to it.
#pragma once

#include <memory>

#include "DriverPinPad.h"

namespace vtx::pinpad {

struct CreatedDriver {
    std::unique_ptr<DriverPinPad> driver;
    int result = 0;  // a failed load (negative), else the result of Abre
};

CreatedDriver CriaDriver();

}  // namespace vtx::pinpad
