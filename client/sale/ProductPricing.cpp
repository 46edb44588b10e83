#include "sale/ProductPricing.h"

#include "messaging/Amounts.h"

namespace vtx::client::sale {

bool valorNumerico(const QString& texto) {
    return !texto.trimmed().isEmpty() && amountValue(texto).has_value();
}

std::optional<QString> calculaPrecoLiquido(const QString& bruto, const QString& desconto) {
    if (!valorNumerico(bruto) || !valorNumerico(desconto)) return std::nullopt;
    const double gross = *amountValue(bruto);
    const double discount = *amountValue(desconto);
    return formatAmount(gross - gross * discount / 100.0);
}

ValorProporcional calculaValorReceber(const QString& liquido, const QString& receberInicial,
                                      const QString& liquidoInicial) {
    ValorProporcional result;
    if (!valorNumerico(liquido)) {
        result.falha = ValorProporcional::Falha::LiquidoNaoNumerico;
        return result;
    }
    const double inicial = amountValue(liquidoInicial).value_or(0.0);
    if (inicial == 0.0) {
        result.falha = ValorProporcional::Falha::DivisaoPorZero;
        return result;
    }
    // The net price as shown ("0.00") is what the proportion is taken of.
    const double net = *amountValue(formatAmount(*amountValue(liquido)));
    result.valor = formatAmount(net * amountValue(receberInicial).value_or(0.0) / inicial);
    return result;
}

bool descontoMenorQueOriginal(const QString& novo, const QString& inicial) {
    if (!valorNumerico(novo) || !valorNumerico(inicial)) return false;
    return *amountValue(novo) < *amountValue(inicial);
}

}  // namespace vtx::client::sale
