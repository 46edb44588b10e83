// The wizard's pages, which of them an installation visits, and the check
// each page makes before it lets the technician go on. The unattended mode
// runs the same checks on the pages the answers' kind and access mode visit.
//
// Thread-safety: pure functions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "vtx/installer/InstallAnswers.h"
#include "vtx/installer/InstallDescription.h"

namespace vtx::install {

enum class Page {
    kKind,                // installation kind, access mode, server drive and address, files
    kDialUp,              // access mode 2: connection name and idle time
    kAddressTranslation,  // access mode 3: the translated address
    kLocalTcpIp,          // access mode 1: local address and port
    kEstablishment,       // kinds 0-2: CNPJ, trade name, address, installer
    kServerMedium,        // kinds 3-4: waits for the server's installation mark
    kStation,             // kinds 3-4: the station's drive
    kPinPad,              // kinds other than 0, unless ATIVA_ESTACAO
    kReview,              // pre-filled answers (TipoDados) and kinds 0-2: the answers to confirm
};

// The pages an installation visits, in the wizard's order.
std::vector<Page> pagesFor(const InstallAnswers& answers, const InstallDescription& description);

// A refused page: the message of the box (Windows-1252 bytes, shown as is)
// and the key of the field that gets the focus ("CNPJ", "TO", ...).
struct CheckFailure {
    std::string message;
    std::string field;
};

// The page's check on the answers; nullopt when the page may go on.
// kKind refuses a kind or mode outside the lists ("Não Configurado").
// kServerMedium, kStation, kPinPad and kReview check nothing here (the
// medium wait and the PIN pad model are judged by the configuration step).
std::optional<CheckFailure> checkPage(Page page, const InstallAnswers& answers,
                                      const InstallDescription& description);

// Every visited page's check in order; the first failure.
std::optional<CheckFailure> checkAnswers(const InstallAnswers& answers,
                                         const InstallDescription& description);

// The box title of every check and of the configurator's questions.
inline constexpr const char* kConfiguratorTitle = "Configurador Vantorix Client";
// The title of the installation's own window and its final message.
inline constexpr const char* kInstallationTitle = "Instala\xE7\xE3o Vantorix Client";

}  // namespace vtx::install
