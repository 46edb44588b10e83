#include "messaging/PriceLookup.h"

#include <cmath>

#include "field/LeadingNumber.h"
#include "messaging/Amounts.h"
#include "messaging/MessageExchange.h"
#include "messaging/PriceSystem.h"

namespace vtx::client {
namespace {

const QString kPriceLookupProcedure = QStringLiteral("ProcessaPreco");

// "00,00": at least two integer digits.
QString formatPercent(double value) {
    QString text = formatAmount(value);
    if (text.indexOf(kDecimalSeparator) < 2 && !text.startsWith(u'-')) text.prepend(u'0');
    return text;
}

// Cents from a price the external system returned: a text with a comma is
// an amount, anything else whole cents.
qint64 externalCents(const QString& price) {
    if (price.contains(kDecimalSeparator)) return amountCents(price).value_or(0);
    return leadingNumber(price);
}

}  // namespace

bool ProcessaPreco(ClientSession& session, const QString& codigo, const QString& tipoItem,
                   QString& descricao, QString& precoBruto, QString& precoLiquido,
                   QString& valorReceber, const QString& /*ignorado*/, QString& desconto,
                   QString& precoExibicao) {
    auto givenGross = amountCents(precoBruto);
    auto givenNet = amountCents(precoLiquido);
    auto givenDiscount = amountValue(desconto);
    auto givenCollect = amountValue(valorReceber);
    if (!givenGross || !givenNet || !givenDiscount || !givenCollect) {
        session.reporter.TrataErro(kPriceLookupProcedure, QStringLiteral("13 - Type mismatch"));
        return false;
    }
    QString description = descricao.leftJustified(40, u' ', true);
    qint64 grossCents = *givenGross;
    qint64 netCents = *givenNet;

    if (session.settings.IdentificaCartaoDS && session.priceSystem) {
        const QString loja = session.lojaSistemaPrecos.isEmpty() ? QStringLiteral("0000")
                                                                 : session.lojaSistemaPrecos;
        PrecoExterno preco;
        if (!lePrecoCategoria(session, loja, codigo, preco)) return false;
        description = preco.descricao;
        grossCents = externalCents(preco.precoBruto);
        netCents = externalCents(preco.precoLiquido);
    } else {
        CommLibrary::Price given;
        given.description = description;
        given.gross = QString::number(grossCents);
        given.net = QString::number(netCents);
        auto found = session.comm.getPreco(codigo, tipoItem, QStringLiteral("0000"), given);
        if (!found) {
            session.reporter.TrataErro(kPriceLookupProcedure, kTextoModuloCli);
            return false;
        }
        if (found->result != 0) return false;
        description = found->description;
        grossCents = leadingNumber(found->gross);
        netCents = leadingNumber(found->net);
    }
    precoExibicao = formatAmount(static_cast<double>(netCents) / 100.0);
    if (grossCents == *givenGross && netCents == *givenNet) return true;

    // Reconcile the discount on the screen with the source's prices.
    const double gross = static_cast<double>(grossCents) / 100.0;
    const double afterDiscount = gross - gross * *givenDiscount / 100.0;
    if (std::llround(afterDiscount * 100.0) < netCents) netCents = std::llround(afterDiscount * 100.0);
    const double net = static_cast<double>(netCents) / 100.0;
    desconto = formatPercent(gross != 0 ? (1.0 - net / gross) * 100.0 : 0.0);
    // The amount to collect follows the net price in proportion; without a
    // net price on the screen it is the net price itself.
    const double oldNet = static_cast<double>(*givenNet) / 100.0;
    valorReceber = formatAmount(oldNet != 0 ? *givenCollect * net / oldNet : net);
    descricao = description.trimmed();
    precoBruto = formatAmount(gross);
    precoLiquido = formatAmount(net);
    return true;
}

}  // namespace vtx::client
