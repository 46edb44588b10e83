#include "sale/ProductEntryCheck.h"

#include "core/NumericText.h"
#include "messaging/Amounts.h"
#include "sale/ProductPricing.h"
#include "sale/SearchText.h"

namespace vtx::client::sale {

std::optional<FalhaEntrada> ValidaCampos(const EntradaProduto& e) {
    if (valueOf(e.quantidade) < 1)
        return FalhaEntrada{QStringLiteral("Digite a quantidade."), CampoProduto::Quantidade};
    if (!valorNumerico(e.desconto))
        return FalhaEntrada{QStringLiteral("O desconto deve conter apenas números."),
                            CampoProduto::Desconto};
    // The discount as shown, read up to its decimal comma.
    if (valueOf(formatAmount(*amountValue(e.desconto)).section(u',', 0, 0)) >= 100)
        return FalhaEntrada{QStringLiteral("O desconto não pode ser maior que 99,99"),
                            CampoProduto::Desconto};
    if (!valorNumerico(e.precoBruto))
        return FalhaEntrada{QStringLiteral("O Preço bruto deve conter apenas números."),
                            CampoProduto::PrecoBruto};
    if (amountValue(e.precoLiquido).value_or(0.0) == 0.0)
        return FalhaEntrada{QStringLiteral("O Preço líquido deve ser maior que 0,00."),
                            CampoProduto::PrecoBruto};
    if (e.complementoVisivel) {
        const QString rotulo = e.campo3.label.trimmed();
        if (e.campo3.kind != QStringLiteral("N") && !somenteDigitos(e.complemento))
            return FalhaEntrada{
                QStringLiteral("O campo ") + rotulo + QStringLiteral(" só aceita números."),
                CampoProduto::Complemento};
        if (e.complemento.size() < e.campo3.minLength)
            return FalhaEntrada{QStringLiteral("O campo ") + rotulo +
                                    QStringLiteral(" deve conter pelo menos ") +
                                    QString::number(e.campo3.minLength) +
                                    QStringLiteral(" dígito(s)."),
                                CampoProduto::Complemento};
    }
    return std::nullopt;
}

}  // namespace vtx::client::sale
