#include "sale/FiscalDocument.h"

#include "sale/SearchText.h"

namespace vtx::client::sale {

std::optional<QString> validaDocumentoFiscal(const QString& numero, const CaptionEntry& campo) {
    const QString texto = numero.trimmed();
    if (texto.isEmpty()) return kTextoDocumentoVazio;
    if (texto.size() < campo.minLength)
        return QStringLiteral("O Número do Documento Fiscal deve ser maior que ") +
               QString::number(campo.minLength) + QStringLiteral("dígitos.");
    if (campo.digitsOnly() && !somenteDigitos(texto)) return kTextoSomenteNumeros;
    return std::nullopt;
}

}  // namespace vtx::client::sale
