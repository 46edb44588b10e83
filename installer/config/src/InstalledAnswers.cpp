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
    // Where CORE.INI keeps each answer the configuration step wrote.
    struct Kept {
        std::string* answer;
        const char* section;
        const char* key;
    };
    const Kept kept[] = {
        {&answers.server.tipo, "CONFIG", "TIPOINSTALL"},
        {&answers.server.modo, "CONFIG", "MODOACESSO"},
        {&answers.server.drive, "CONFIG", "DRIVE_SERVER"},
        {&answers.server.ipAddress, "CONFIG", "IPSERVER"},
        {&answers.server.ftpMode, "CONFIG", "PASSIVE MODE"},
        {&answers.server.fileProd, "PRODUTO", "FILENAME"},
        {&answers.server.fileAux, "CONFIG", "FILEAUX"},
        {&answers.ipLocal.tcpip, "CONFIG", "IPLOCALTCP"},
        {&answers.ipLocal.porta, "CONFIG", "IPLOCALPORTA"},
        {&answers.ipNat.tcpip, "CONFIG", "IPNAT"},
        {&answers.dial.dialup, "DialUP", "Connection"},
        {&answers.dial.to, "DialUP", "Time2HangUp"},
        {&answers.estab.cnpj, "CONFIG", "Estab_Code"},
        {&answers.estacao.driveEst, "CONFIG", "DRIVE_ESTACAO"},
        {&answers.pinpad.aplicType, "CONFIG", "Aplic_Type"},
        {&answers.pinpad.leitorType, "CONFIG", "Leitor_Type"},
        {&answers.pinpad.modeloPin, "CONFIG", "ModeloPin"},
        {&answers.pinpad.serialPort, "CONFIG", "Serial_Port"},
    };
    for (const Kept& k : kept) {
        if (auto value = core->find(k.section, k.key)) *k.answer = *value;
    }
    answers.server.path = dir;
    return answers;
}

}  // namespace vtx::install
