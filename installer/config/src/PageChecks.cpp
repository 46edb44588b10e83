#include "vtx/installer/PageChecks.h"

#include "AnswerText.h"

namespace vtx::install {

namespace {

using detail::trimmedView;

bool blank(std::string_view text) { return trimmedView(text).empty(); }

bool allDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

bool isZero(std::string_view digits) { return digits.find_first_not_of('0') == std::string_view::npos; }

std::optional<CheckFailure> fail(const char* message, const char* field) {
    return CheckFailure{message, field};
}

std::optional<CheckFailure> checkKind(const InstallAnswers& a) {
    const int kind = a.kind();
    if (kind < kServidor || kind > kCheckout)
        return fail("Tipo de instala\xE7\xE3o N\xE3o Configurado !", "TIPO");
    const int mode = a.accessMode();
    if (mode < kDedicadoTcpIp || mode > kTraducaoEndereco)
        return fail("Modo de acesso N\xE3o Configurado !", "MODO");
    if (holdsInstallation(kind) && blank(a.server.drive))
        return fail("Drive do servidor n\xE3o preenchido !", "DRIVE");
    if (!holdsInstallation(kind) && blank(a.server.path))
        return fail("Diret\xF3rio do servidor n\xE3o preenchido !", "PATH");
    return std::nullopt;
}

std::optional<CheckFailure> checkDialUp(const InstallAnswers& a) {
    if (blank(a.dial.dialup)) return fail("Nome da conex\xE3o dial-UP n\xE3o preenchido !", "DIALUP");
    const std::string_view to = trimmedView(a.dial.to);
    if (!allDigits(to) || isZero(to)) return fail("Tempo de desconex\xE3o n\xE3o preenchido !", "TO");
    return std::nullopt;
}

std::optional<CheckFailure> checkLocalTcpIp(const InstallAnswers& a) {
    if (blank(a.ipLocal.tcpip)) return fail("Endere\xE7o IP n\xE3o preenchido !", "TCPIP");
    const std::string_view port = trimmedView(a.ipLocal.porta);
    if (port.empty()) return fail("Porta Socket n\xE3o preenchida !", "PORTA");
    // The route records keep a port in four columns: a longer number would
    // be cut into another port.
    if (!allDigits(port) || port.size() > 4 || isZero(port))
        return fail("Porta Socket inv\xE1lida: de 1 a 9999 !", "PORTA");
    return std::nullopt;
}

std::optional<CheckFailure> checkEstablishment(const InstallAnswers& a,
                                               const InstallDescription& description) {
    const auto& e = a.estab;
    const size_t cnpj = trimmedView(e.cnpj).size();
    if (cnpj != 14 && cnpj != 15)
        return fail("CNPJ N\xE3o preenchido ou\r\n preenchido de forma incorreta !", "CNPJ");
    if (blank(e.fantasia)) return fail("Nome fantasia n\xE3o preenchido !", "FANTASIA");
    if (description.dadosAdic) return std::nullopt;
    if (blank(e.logradouro)) return fail("Logradouro n\xE3o preenchido !", "Logradouro");
    if (blank(e.numero)) return fail("N\xFAmero N\xE3o Preenchido !", "Numero");
    if (trimmedView(e.cep).size() < 8)
        return fail("Cep n\xE3o preenchido ou\r\n preenchido de forma incorreta!", "CEP");
    if (blank(e.nomeInst)) return fail("Nome do instalador n\xE3o preenchido !", "NOME_INST");
    if (blank(e.docInst)) return fail("Documento do instalador n\xE3o preenchido !", "DOC_INST");
    return std::nullopt;
}

}  // namespace

std::vector<Page> pagesFor(const InstallAnswers& answers, const InstallDescription& description) {
    std::vector<Page> pages{Page::kKind};
    const int kind = answers.kind();
    if (kind < kServidor || kind > kCheckout) return pages;
    if (holdsInstallation(kind)) {
        switch (answers.accessMode()) {
        case kDiscado: pages.push_back(Page::kDialUp); break;
        case kTraducaoEndereco: pages.push_back(Page::kAddressTranslation); break;
        case kIpLocal: pages.push_back(Page::kLocalTcpIp); break;
        default: break;
        }
        pages.push_back(Page::kEstablishment);
    } else {
        pages.push_back(Page::kServerMedium);
        pages.push_back(Page::kStation);
    }
    if (kind != kServidor && !description.ativaEstacao) pages.push_back(Page::kPinPad);
    if (description.tipoDados && kind < kEstacao) pages.push_back(Page::kReview);
    return pages;
}

std::optional<CheckFailure> checkPage(Page page, const InstallAnswers& answers,
                                      const InstallDescription& description) {
    switch (page) {
    case Page::kKind: return checkKind(answers);
    case Page::kDialUp: return checkDialUp(answers);
    case Page::kAddressTranslation:
        if (blank(answers.ipNat.tcpip)) return fail("Endere\xE7o IP n\xE3o preenchido !", "TCPIP");
        return std::nullopt;
    case Page::kLocalTcpIp: return checkLocalTcpIp(answers);
    case Page::kEstablishment: return checkEstablishment(answers, description);
    case Page::kServerMedium:
    case Page::kStation:
    case Page::kPinPad:
    case Page::kReview: return std::nullopt;
    }
    return std::nullopt;
}

std::optional<CheckFailure> checkAnswers(const InstallAnswers& answers,
                                         const InstallDescription& description) {
    for (Page page : pagesFor(answers, description)) {
        if (auto failure = checkPage(page, answers, description)) return failure;
    }
    return std::nullopt;
}

}  // namespace vtx::install
