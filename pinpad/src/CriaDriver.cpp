#include "CriaDriver.h"

#include "DriverPinPadBasico.h"
#include "DriverPinPadPP.h"
#include "DriverPinPadPin.h"
#include "PinPadSettings.h"

namespace vtx::pinpad {

CreatedDriver CriaDriver() {
    const std::string coreIni = coreIniPath();
    CreatedDriver created;
    switch (libraryType(coreIni)) {
        case 1:
            created.driver = std::make_unique<DriverPinPadPP>(coreIni);
            break;
        case 0:
            created.driver = std::make_unique<DriverPinPadPin>(coreIni);
            break;
        default:
            created.driver = std::make_unique<DriverPinPadBasico>(coreIni);
            break;
    }
    created.result = created.driver->Carrega();
    if (created.result < 0) return created;
    created.result = created.driver->Abre();
    return created;
}

}  // namespace vtx::pinpad
