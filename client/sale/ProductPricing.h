// The price rules of the product-entry screen, on the texts of its boxes
// (local amounts, "12,50"): the net price from the gross price and the
// discount, the amount to collect that follows the net price in proportion,
// and the discount floor (no discount below the product's original one).
//
// Thread-safety: pure functions.
#pragma once

#include <QString>
#include <optional>

namespace vtx::client::sale {

inline const QString kTextoDescontoMenor =
    QStringLiteral("Não é permitido desconto menor que o desconto original!");

// True when the text is a local amount (blank is not).
bool valorNumerico(const QString& texto);

// net = gross - gross x discount / 100, "0.00"; nullopt when either text is
// not a number.
std::optional<QString> calculaPrecoLiquido(const QString& bruto, const QString& desconto);

struct ValorProporcional {
    enum class Falha {
        Nenhuma,
        LiquidoNaoNumerico,  // nothing is computed
        DivisaoPorZero,      // the initial net price is zero: a fault to report
    };
    Falha falha = Falha::Nenhuma;
    QString valor;  // "0.00" when falha is Nenhuma
};

// Amount to collect = (net formatted "0.00") x initial amount to collect /
// initial net price, "0.00". The initial values are the product's as the
// screen was filled; a non-numeric initial amount counts as 0.
ValorProporcional calculaValorReceber(const QString& liquido, const QString& receberInicial,
                                      const QString& liquidoInicial);

// True when both are numbers and the new discount is below the initial one.
bool descontoMenorQueOriginal(const QString& novo, const QString& inicial);

}  // namespace vtx::client::sale
