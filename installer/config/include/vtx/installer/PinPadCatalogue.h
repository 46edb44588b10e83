// The PIN pad models of the medium's PinPad.ini: section [PINPAD] lists the
// models under "0001", "0002", ... up to the first missing key; the model's
// own section is named by the application type followed by the model's text
// ("%d%s": type 1 and model "PPSIM" is [1PPSIM]) and holds Sigla (the
// PPVISA.INI section of the model), DLL (the vendor library), Chave_com (the
// PPVISA.INI key that receives the port, default "Port"; "Config" writes
// "<port>CHIP") and DLLTYPE (the adapter's driver class, default "1").
//
// Thread-safety: pure functions over a file read per call.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vtx::install {

// The model texts in list order (index 0 is "0001").
std::vector<std::string> pinPadModels(const std::string& pinPadIni);

struct PinPadModel {
    std::string section;  // "%d%s"
    std::string sigla;
    std::string dll;
    std::string chaveCom = "Port";
    std::string dllType = "1";
};

// The model numbered `modelNumber` (1 is "0001") for application type
// `aplicType`; nullopt when the list has no such model, or its section has
// no Sigla.
std::optional<PinPadModel> pinPadModel(const std::string& pinPadIni, int aplicType,
                                       int modelNumber);

}  // namespace vtx::install
