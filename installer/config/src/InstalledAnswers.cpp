#include <string>

#include "vtx/installer/Configuration.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::install {

InstallAnswers installedAnswers() {
    InstallAnswers answers;
    const std::string dir =
        platform::iniGetString("WINVTXCORE.INI", "CORE", "Path Server", "C:\\Vantrix", 49);
    auto core = platform::loadIni(platform::resolve(dir + "\\CORE.INI"));
    auto keep = [&core](std::string& answer, const char* section, const char* key) {
        if (auto value = core->find(section, key)) answer = *value;
    };
    keep(answers.server.tipo, "CONFIG", "TIPOINSTALL");
    keep(answers.server.modo, "CONFIG", "MODOACESSO");
    keep(answers.server.drive, "CONFIG", "DRIVE_SERVER");
    keep(answers.server.ipAddress, "CONFIG", "IPSERVER");
    keep(answers.server.ftpMode, "CONFIG", "PASSIVE MODE");
    keep(answers.server.fileProd, "PRODUTO", "FILENAME");
    keep(answers.server.fileAux, "CONFIG", "FILEAUX");
    answers.server.path = dir;
    keep(answers.ipLocal.tcpip, "CONFIG", "IPLOCALTCP");
    keep(answers.ipLocal.porta, "CONFIG", "IPLOCALPORTA");
    keep(answers.ipNat.tcpip, "CONFIG", "IPNAT");
    keep(answers.dial.dialup, "DialUP", "Connection");
    keep(answers.dial.to, "DialUP", "Time2HangUp");
    keep(answers.estab.cnpj, "CONFIG", "Estab_Code");
    keep(answers.estacao.driveEst, "CONFIG", "DRIVE_ESTACAO");
    keep(answers.pinpad.aplicType, "CONFIG", "Aplic_Type");
    keep(answers.pinpad.leitorType, "CONFIG", "Leitor_Type");
    keep(answers.pinpad.modeloPin, "CONFIG", "ModeloPin");
    keep(answers.pinpad.serialPort, "CONFIG", "Serial_Port");
    return answers;
}

}  // namespace vtx::install
