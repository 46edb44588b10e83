#include "StartupSettings.h"

#include <algorithm>
#include <cctype>

#include "vtx/platform/IniFile.h"

namespace vtx::linkagent {
namespace {

using vtx::platform::IniDocument;

constexpr const char* kLocator = "WINVTXCORE.INI";
constexpr const char* kDefaultPathServer = "C:\\Vantrix";
constexpr size_t kPathServerMax = 49;
constexpr const char* kSection = "TCPIP PORTS";

constexpr const char* kPortMissing =
    "Configura\xe7\xe3o do parametro Port2Listen no arquivo Core.Inio est\xe1 errada";
constexpr const char* kDataTypeMissing =
    "Configura\xe7\xe3o do parametro Data Type no arquivo Core.Inio est\xe1 errada";
constexpr const char* kDataTypeWrong =
    "Configura\xe7\xe3o do parametro Data Type no arquivo Core.Ini est\xe1 errada";
constexpr const char* kLenSizeMissing =
    "Configura\xe7\xe3o do parametro Len Size no arquivo Core.Inio est\xe1 errada";

// A value that is present and not empty.
std::optional<std::string> present(const IniDocument& ini, const char* key) {
    auto value = ini.find(kSection, key);
    if (!value || value->empty()) return std::nullopt;
    return value;
}

// A whole decimal number (no sign, no other characters) up to `most`.
std::optional<long> wholeNumber(const std::string& text, long most) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    long value = std::stol(text);
    if (value > most) return std::nullopt;
    return value;
}

bool startsWithAny(const std::string& text, const char* letters) {
    return !text.empty() && std::string(letters).find(static_cast<char>(std::toupper(
                                static_cast<unsigned char>(text[0])))) != std::string::npos;
}

}  // namespace

StartupSettings loadStartupSettings() {
    StartupSettings s;
    auto locator = vtx::platform::loadIni(kLocator);
    s.pathServer = locator->getString("CORE", "Path Server", kDefaultPathServer, kPathServerMax);
    s.pathCore = locator->getString("CORE", "Path Core", "");
    if (s.pathCore.empty()) s.pathCore = s.pathServer;
    s.coreIni = s.pathCore + "\\CORE.INI";

    auto core = vtx::platform::loadIni(s.coreIni);
    s.dialUp = startsWithAny(core->getString("DialUp", "ActiveDialUp", "N"), "SY");
    s.time2HangUp = core->getInt("DialUp", "Time2HangUp", 0);
    s.estabCode = core->getString("CONFIG", "ESTAB_CODE", "");
    s.startDelayMs = core->getInt("CONFIG", "DELAY_INICIALIZACAO", 0);
    s.qtyRedial = core->getInt("CONFIG", "Qty_Redial", 0);
    const std::string socket = core->getString(kSection, "Socket", "");
    s.folderInterface = socket == "N" || socket == "0";
    return s;
}

ListenSettingsResult readListenSettings(const std::string& coreIni) {
    auto core = vtx::platform::loadIni(coreIni);
    ListenSettings s;

    auto port = present(*core, "Port2Listen");
    auto portNumber = port ? wholeNumber(*port, 65535) : std::nullopt;
    if (!portNumber || *portNumber == 0) return {std::nullopt, kPortMissing};
    s.port = static_cast<int>(*portNumber);

    auto dataType = present(*core, "Data Type");
    if (!dataType) return {std::nullopt, kDataTypeMissing};
    if (dataType->size() != 1 || !startsWithAny(*dataType, "BHN"))
        return {std::nullopt, kDataTypeWrong};
    const bool numeric = std::toupper(static_cast<unsigned char>((*dataType)[0])) == 'N';
    s.framing.dataType = numeric ? DataType::Numeric : DataType::Binary;

    // Required in both data types; its value counts only for "N".
    auto lenSize = present(*core, "Len Size");
    if (!lenSize) return {std::nullopt, kLenSizeMissing};
    auto digits = wholeNumber(*lenSize, kMaxLenSize);
    if (numeric && (!digits || *digits == 0)) return {std::nullopt, kLenSizeMissing};
    s.framing.lenSize = numeric ? static_cast<int>(*digits) : 4;

    s.address = core->getString(kSection, "ListenAddress", "");
    long most = core->getInt(kSection, "MaxConnections", static_cast<long>(kDefaultMaxConnections));
    s.maxConnections = static_cast<size_t>(std::clamp<long>(most, 1, kMostConnections));
    return {s, {}};
}

}  // namespace vtx::linkagent
