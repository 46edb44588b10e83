#include "vtx/linkagent/download/FtpSettings.h"

#include <cctype>

#include "vtx/platform/IniFile.h"

namespace vtx::linkagent {

FtpSettings readFtpSettings(const std::string& coreIni) {
    auto core = platform::loadIni(coreIni);
    FtpSettings s;
    s.server = core->getString("CONFIG", "_TSTPRM_FTPSERVER", "");
    if (s.server.empty()) s.server = kDefaultFtpServer;
    const long port = core->getInt("CONFIG", "PORT", 0);
    s.port = port > 0 && port <= 65535 ? static_cast<int>(port) : 0;
    const std::string passive = core->getString("CONFIG", "PASSIVE MODE", "");
    const char first = passive.empty() ? ' '
                                       : static_cast<char>(std::toupper(
                                             static_cast<unsigned char>(passive[0])));
    s.passive = first == 'S' || first == 'Y';
    s.user = core->getString("CONFIG", "ESTAB_CODE", "");
    s.password = core->getString("CONFIG", "PWD", "");
    s.delayMs = core->getInt("CONFIG", "DELAY_INICIALIZACAO", 0);
    return s;
}

}  // namespace vtx::linkagent
