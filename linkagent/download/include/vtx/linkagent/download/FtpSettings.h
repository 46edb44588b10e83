// The table download's settings, CORE.INI section [CONFIG]:
//   _TSTPRM_FTPSERVER     server host; empty: "localhost" (a station without
//                         a configured server only tries its own machine)
//   PORT                  0 or absent: 21
//   PASSIVE MODE          first character "S" or "Y": passive transfers
//   ESTAB_CODE, PWD       user and password
//   DELAY_INICIALIZACAO   pause in milliseconds between files
//
// Thread-safety: a pure function over the file.
#pragma once

#include <string>

namespace vtx::linkagent {

inline constexpr const char* kDefaultFtpServer = "localhost";

struct FtpSettings {
    std::string server;
    int port = 0;
    bool passive = false;
    std::string user, password;
    long delayMs = 0;
};

FtpSettings readFtpSettings(const std::string& coreIni);

}  // namespace vtx::linkagent
