// The installation medium's description INSTALL.INI, section [INSTALL]:
// TipoDados (the medium pre-fills the wizard's answers from its own answer
// sections), DADOSADIC (the establishment page asks no address and no
// installer), ATIVA_ESTACAO (no PIN pad page: every PIN pad value 0),
// ATIVA_LA and ATIVA_CLIENT (do not start LinkAgent / the client at the end).
//
// A key "is set" when it holds a non-empty value other than "0" and "N"
// (any case).
//
// Thread-safety: plain values and pure functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vtx/installer/InstallAnswers.h"

namespace vtx::install {

bool isSet(std::string_view value);

struct InstallDescription {
    bool tipoDados = false;
    bool dadosAdic = false;
    bool ativaEstacao = false;
    bool ativaLa = false;
    bool ativaClient = false;
    // With tipoDados: the answers the medium's INSTALL.INI holds in the
    // scratch-answer sections (defaults where it holds none).
    std::optional<InstallAnswers> prefilled;
};

// Reads INSTALL.INI (native path); a missing file describes nothing set.
InstallDescription readInstallDescription(const std::string& nativePath);

}  // namespace vtx::install
