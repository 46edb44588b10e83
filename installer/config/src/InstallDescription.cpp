#include "vtx/installer/InstallDescription.h"

#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/IniFile.h"

namespace vtx::install {

bool isSet(std::string_view value) {
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
    return !value.empty() && value != "0" && !platform::equalsIgnoreCase(value, "N");
}

InstallDescription readInstallDescription(const std::string& nativePath) {
    auto file = platform::loadIni(nativePath);
    auto flag = [&file](const char* key) {
        return isSet(file->getString("INSTALL", key, ""));
    };
    InstallDescription description;
    description.tipoDados = flag("TipoDados");
    description.dadosAdic = flag("DADOSADIC");
    description.ativaEstacao = flag("ATIVA_ESTACAO");
    description.ativaLa = flag("ATIVA_LA");
    description.ativaClient = flag("ATIVA_CLIENT");
    if (description.tipoDados) description.prefilled = readAnswers(*file);
    return description;
}

}  // namespace vtx::install
