// The installer's answers: what the wizard's pages ask, kept between pages in
// the scratch answers file MSTMPFILE.TMP (Windows directory) and given to the
// unattended mode as its answers file, in the same sections and keys.
//
//   [SERVER]  TIPO MODO DRIVE IPADDRESS FTPMODE FILEPROD FILEAUX PATH
//   [IPLOCAL] TCPIP PORTA          [IPNAT] TCPIP
//   [DIAL]    DIALUP TO            [ESTACAO] DRIVEEST
//   [ESTAB]   CNPJ FANTASIA Logradouro Complemento Numero CEP NOME_INST DOC_INST
//   [TRACE]   PATH NOVALINHA
//   [PINPAD]  Aplic_Type Leitor_Type ModeloPin Serial_Port
//
// Values are kept as typed (Windows-1252 bytes); the page checks judge them
// and the configuration step converts the numbers.
//
// Thread-safety: plain values and pure functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vtx/platform/IniFile.h"

namespace vtx::install {

// Installation kinds (SERVER/TIPO, stored as CONFIG/TIPOINSTALL).
enum InstallKind : int {
    kServidor = 0,
    kServidorEstacao = 1,
    kMonoUsuario = 2,
    kEstacao = 3,
    kCheckout = 4,
};

// The kinds whose machine holds the installation itself (a server, with or
// without a station, or a single user), as against a station of a server.
inline bool holdsInstallation(int kind) { return kind >= kServidor && kind <= kMonoUsuario; }

// Access modes (SERVER/MODO, stored as CONFIG/MODOACESSO).
enum AccessMode : int {
    kDedicadoTcpIp = 0,
    kIpLocal = 1,
    kDiscado = 2,
    kTraducaoEndereco = 3,
};

struct InstallAnswers {
    struct Server {
        std::string tipo = "0";
        std::string modo = "0";
        std::string drive = "C:";
        std::string ipAddress = "localhost";
        std::string ftpMode;
        std::string fileProd;
        std::string fileAux;
        std::string path = "C:\\Vantrix";
    } server;
    struct IpLocal {
        std::string tcpip = "localhost";
        std::string porta = "5002";
    } ipLocal;
    struct IpNat {
        std::string tcpip = "localhost";
    } ipNat;
    struct Dial {
        std::string dialup;
        std::string to;
    } dial;
    struct Estab {
        std::string cnpj;
        std::string fantasia;
        std::string logradouro;
        std::string complemento;
        std::string numero;
        std::string cep;
        std::string nomeInst;
        std::string docInst;
    } estab;
    struct Estacao {
        std::string driveEst = "C:";
    } estacao;
    struct Trace {
        std::string path;
        std::string novaLinha;
    } trace;
    struct PinPad {
        std::string aplicType = "0";
        std::string leitorType = "0";
        std::string modeloPin = "1";  // 1 is PinPad.ini [PINPAD] "0001"
        std::string serialPort = "0";
    } pinpad;

    // TIPO and MODO as numbers: the leading digits, -1 when there are none.
    int kind() const;
    int accessMode() const;
};

// Reads the answers from a parsed answers or scratch file; missing keys keep
// the defaults above. `sectionsFound` (when given) receives the names of the
// sections the file holds, as the file spells them.
InstallAnswers readAnswers(const platform::IniDocument& file,
                           std::vector<std::string>* sectionsFound = nullptr);

// The writes that store every answer of `answers` in a scratch file.
std::vector<platform::IniWrite> answerWrites(const InstallAnswers& answers);

// The answers file as read from disk, its text in Windows-1252: a file that is
// valid UTF-8 holding characters beyond ASCII (written by a Linux editor) is
// converted first. nullopt when the file cannot be read.
std::optional<platform::IniDocument> loadAnswersFile(const std::string& nativePath);

// Captions of the installation kinds and access modes as the wizard shows
// them: "Servidor", "Servidor/Estação", "Mono Usuário", "Estação",
// "Checkout/Caixa", anything else "Não Configurado"; "Dedicado TCP/IP",
// "Dedicado IP Local/X.25", "Discado - <connection>", address translation.
// Windows-1252 bytes.
std::string kindCaption(int kind);
std::string accessModeCaption(int mode, std::string_view dialUpName);

}  // namespace vtx::install
