// The product being entered on the product-entry screen: a row of the
// product-query list or of the pre-sale grid, loaded by ObtemProduto, shown
// and edited by FormSelecaoProduto and written back into the pre-sale grid.
// Prices are local amount texts ("12,50"); the discount is a percentage.
//
// Thread-safety: a plain value; the client's user-interface thread owns it.
#pragma once

#include <QString>

namespace vtx::client::sale {

struct ProdutoAtual {
    QString codigo;
    QString descricao;
    QString fabricante;
    QString tipoItem;  // "Emb.", one character
    QString quantidade;
    QString precoBruto;
    QString desconto;
    QString precoLiquido;
    QString valorReceber;  // amount to collect at the shop
    QString valorCredito;  // value to credit
    QString status;
    QString complemento;
};

}  // namespace vtx::client::sale
