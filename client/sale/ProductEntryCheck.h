// ValidaCampos of the product-entry screen as a plain function: the boxes'
// texts in, the first check that fails out (its message and the box the
// focus goes to).
//
// Thread-safety: pure functions.
#pragma once

#include <QString>
#include <optional>

#include "core/TabelaOperadoras.h"

namespace vtx::client::sale {

// The boxes of the product-entry screen that a failed check points at.
enum class CampoProduto { Quantidade, Desconto, PrecoBruto, Complemento };

struct EntradaProduto {
    QString quantidade;
    QString desconto;
    QString precoBruto;
    QString precoLiquido;
    QString complemento;
    bool complementoVisivel = false;
    IdentificationField campo3;  // the chosen administrator's field 3
};

struct FalhaEntrada {
    QString mensagem;
    CampoProduto campo;
};

// In order: quantity below 1; discount not numeric; discount of 100 or more
// (99,99 passes); gross price not numeric; net price equal to zero; and,
// with the complement shown, a complement that is not numeric (field 3 kind
// other than "N") or shorter than field 3's minimum length.
std::optional<FalhaEntrada> ValidaCampos(const EntradaProduto& entrada);

}  // namespace vtx::client::sale
