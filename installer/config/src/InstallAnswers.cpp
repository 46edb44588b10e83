#include "vtx/installer/InstallAnswers.h"

#include <fstream>
#include <iterator>

#include "vtx/platform/Cp1252.h"

namespace vtx::install {

namespace {

using platform::IniDocument;
using platform::IniWrite;

// Every answer in file order: its section, its key and where it is kept.
template <typename Visit>
void forEachAnswer(InstallAnswers& a, Visit&& visit) {
    visit("SERVER", "TIPO", a.server.tipo);
    visit("SERVER", "MODO", a.server.modo);
    visit("SERVER", "DRIVE", a.server.drive);
    visit("SERVER", "IPADDRESS", a.server.ipAddress);
    visit("SERVER", "FTPMODE", a.server.ftpMode);
    visit("SERVER", "FILEPROD", a.server.fileProd);
    visit("SERVER", "FILEAUX", a.server.fileAux);
    visit("SERVER", "PATH", a.server.path);
    visit("IPLOCAL", "TCPIP", a.ipLocal.tcpip);
    visit("IPLOCAL", "PORTA", a.ipLocal.porta);
    visit("IPNAT", "TCPIP", a.ipNat.tcpip);
    visit("DIAL", "DIALUP", a.dial.dialup);
    visit("DIAL", "TO", a.dial.to);
    visit("ESTAB", "CNPJ", a.estab.cnpj);
    visit("ESTAB", "FANTASIA", a.estab.fantasia);
    visit("ESTAB", "Logradouro", a.estab.logradouro);
    visit("ESTAB", "Complemento", a.estab.complemento);
    visit("ESTAB", "Numero", a.estab.numero);
    visit("ESTAB", "CEP", a.estab.cep);
    visit("ESTAB", "NOME_INST", a.estab.nomeInst);
    visit("ESTAB", "DOC_INST", a.estab.docInst);
    visit("ESTACAO", "DRIVEEST", a.estacao.driveEst);
    visit("TRACE", "PATH", a.trace.path);
    visit("TRACE", "NOVALINHA", a.trace.novaLinha);
    visit("PINPAD", "Aplic_Type", a.pinpad.aplicType);
    visit("PINPAD", "Leitor_Type", a.pinpad.leitorType);
    visit("PINPAD", "ModeloPin", a.pinpad.modeloPin);
    visit("PINPAD", "Serial_Port", a.pinpad.serialPort);
}

int leadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i == text.size() || text[i] < '0' || text[i] > '9') return -1;
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 1000000) return -1;
    }
    return static_cast<int>(value);
}

// True when `bytes` is well-formed UTF-8 and holds at least one character
// beyond ASCII. Windows-1252 text beyond ASCII practically never is.
bool isUtf8BeyondAscii(const std::string& bytes) {
    bool beyond = false;
    for (size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        size_t extra = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) extra = 1;
        else if (c >= 0xE0 && c <= 0xEF) extra = 2;
        else if (c >= 0xF0 && c <= 0xF4) extra = 3;
        else return false;
        if (i + extra >= bytes.size()) return false;
        for (size_t k = 1; k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(bytes[i + k]);
            if ((cont & 0xC0) != 0x80) return false;
        }
        beyond = true;
        i += extra + 1;
    }
    return beyond;
}

}  // namespace

int InstallAnswers::kind() const { return leadingNumber(server.tipo); }
int InstallAnswers::accessMode() const { return leadingNumber(server.modo); }

InstallAnswers readAnswers(const IniDocument& file, std::vector<std::string>* sectionsFound) {
    InstallAnswers answers;
    forEachAnswer(answers, [&file](const char* section, const char* key, std::string& value) {
        if (auto found = file.find(section, key)) value = *found;
    });
    if (sectionsFound != nullptr) *sectionsFound = file.sectionNames();
    return answers;
}

std::vector<IniWrite> answerWrites(const InstallAnswers& answers) {
    std::vector<IniWrite> writes;
    InstallAnswers copy = answers;
    forEachAnswer(copy, [&writes](const char* section, const char* key, std::string& value) {
        writes.push_back({section, key, value});
    });
    return writes;
}

std::optional<IniDocument> loadAnswersFile(const std::string& nativePath) {
    std::ifstream in(nativePath, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    if (isUtf8BeyondAscii(bytes)) bytes = platform::utf8ToCp1252(bytes);
    return IniDocument::parse(bytes);
}

std::string kindCaption(int kind) {
    switch (kind) {
    case kServidor: return "Servidor";
    case kServidorEstacao: return "Servidor/Esta\xE7\xE3o";
    case kMonoUsuario: return "Mono Usu\xE1rio";
    case kEstacao: return "Esta\xE7\xE3o";
    case kCheckout: return "Checkout/Caixa";
    default: return "N\xE3o Configurado";
    }
}

std::string accessModeCaption(int mode, std::string_view dialUpName) {
    switch (mode) {
    case kDedicadoTcpIp: return "Dedicado TCP/IP";
    case kIpLocal: return "Dedicado IP Local/X.25";
    case kDiscado: return "Discado - " + std::string(dialUpName);
    case kTraducaoEndereco: return "Tradu\xE7\xE3o de Endere\xE7o (NAT)";
    default: return "N\xE3o Configurado";
    }
}

}  // namespace vtx::install
