// The checks of the fiscal document number that a sale (TelaAtual "VENDA")
// is finalised with, against the pre-sale screen's caption entry for it
// (kind "N" = digits only, minimum length).
//
// Thread-safety: pure functions.
#pragma once

#include <QString>
#include <optional>

#include "core/CaptionTable.h"

namespace vtx::client::sale {

inline const QString kTextoDocumentoVazio =
    QStringLiteral("Digite o Número do Documento Fiscal Vinculado.");
inline const QString kTextoSomenteNumeros = QStringLiteral("Este campo só aceita números.");

// The message of the first check the number fails, in order: blank, shorter
// than the minimum ("O Número do Documento Fiscal deve ser maior que " +
// minimum + "dígitos.", the minimum followed directly by "dígitos."), not
// numeric under kind "N"; nullopt when it passes.
std::optional<QString> validaDocumentoFiscal(const QString& numero, const CaptionEntry& campo);

}  // namespace vtx::client::sale
