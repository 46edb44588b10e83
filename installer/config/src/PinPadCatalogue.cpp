#include "vtx/installer/PinPadCatalogue.h"

#include <cstdio>

#include "vtx/platform/IniFile.h"

namespace vtx::install {

namespace {

// "0001", "0002", ...
std::string listKey(int number) {
    char key[16];
    std::snprintf(key, sizeof key, "%04d", number);
    return key;
}

}  // namespace

std::vector<std::string> pinPadModels(const std::string& pinPadIni) {
    auto file = platform::loadIni(pinPadIni);
    std::vector<std::string> models;
    for (int number = 1; number <= 9999; ++number) {
        auto model = file->find("PINPAD", listKey(number));
        if (!model) break;
        models.push_back(*model);
    }
    return models;
}

std::optional<PinPadModel> pinPadModel(const std::string& pinPadIni, int aplicType,
                                       int modelNumber) {
    if (modelNumber < 1 || modelNumber > 9999) return std::nullopt;
    auto file = platform::loadIni(pinPadIni);
    auto text = file->find("PINPAD", listKey(modelNumber));
    if (!text) return std::nullopt;
    PinPadModel model;
    model.section = std::to_string(aplicType) + *text;
    model.sigla = file->getString(model.section, "Sigla", "");
    if (model.sigla.empty()) return std::nullopt;
    model.dll = file->getString(model.section, "DLL", "");
    model.chaveCom = file->getString(model.section, "Chave_com", "Port");
    if (model.chaveCom.empty()) model.chaveCom = "Port";
    model.dllType = file->getString(model.section, "DLLTYPE", "1");
    if (model.dllType.empty()) model.dllType = "1";
    return model;
}

}  // namespace vtx::install
