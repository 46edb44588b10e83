#include "vtx/installer/InstallDescription.h"

#include "AnswerText.h"
#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/IniFile.h"

namespace vtx::install {

bool isSet(std::string_view value) {
    value = detail::trimmedView(value);
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
