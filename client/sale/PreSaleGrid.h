// The rules of the pre-sale grid (12 columns, messaging/GridLoaders.h
// PreSaleColumn) and of the product-query grid (10 columns, QueryColumn
// below): the pre-sale grid's columns per variant, finding a product in it,
// taking the single result of a search straight into it, loading a row of
// either grid as the product being entered (ObtemProduto), the row the
// product-entry screen writes to (its ValidaProduto_Grid_Pre) and the write
// itself (PrencherGridPre).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>

#include "core/ClientSession.h"
#include "core/GridModel.h"
#include "core/TabelaOperadoras.h"
#include "sale/ProdutoAtual.h"

namespace vtx::client::sale {

// The product-query grid's columns (1-based).
namespace QueryColumn {
inline constexpr int kDescricao = 1;
inline constexpr int kFabricante = 2;
inline constexpr int kTipoItem = 3;
inline constexpr int kPrecoBruto = 4;
inline constexpr int kDesconto = 5;
inline constexpr int kPrecoLiquido = 6;
inline constexpr int kValorReceber = 7;
inline constexpr int kCodigo = 8;
inline constexpr int kStatus = 9;
inline constexpr int kValorCredito = 10;
inline constexpr int kCount = 10;
}  // namespace QueryColumn

inline const QString kTextoJaSelecionado =
    QStringLiteral("Este produto já foi selecionado deseja alterar?");
inline const QString kTextoQuantidadePre = QStringLiteral(
    "A quantidade digitada não pode ser maior que a quantidade da pré-autorização!");

// The pre-sale grid's headings and hidden columns: the value to credit
// (12) is always hidden; the complement (11) shows only for a pre-sale
// ("PREVENDA", `venda` false) whose administrator asks for field 3, headed
// by the field's trimmed label.
void configuraColunasPreVenda(GridModel& grid, bool venda, const IdentificationField& campo3);

// The product-query grid's headings.
void configuraColunasConsulta(GridModel& grid);

// The first row whose code (column 9) and item type (column 3), trimmed,
// are the given ones, trimmed; 0 when none.
int linhaDoProduto(const GridModel& grid, const QString& codigo, const QString& tipoItem);

// The shared check: true when the product is not in the grid; otherwise
// false with the matching row made the active row.
bool ValidaProduto_Grid_Pre(GridModel& grid, const QString& codigo, const QString& tipoItem);

// A search's single result (row `linha` of the query grid) into the
// pre-sale grid: a new row after the last with quantity 1, or one more of
// the product when it is already listed. The row written.
int adicionaProdutoUnico(GridModel& preVenda, const GridModel& consulta, int linha);

enum class OrigemProduto {
    PreVenda,  // "PREVENDA": the pre-sale grid's active row
    Consulta,  // "CONSULTA": the query grid's active row, quantity "1"
};

// Loads the grid's active row into `produto` (emptied first: status and
// complement stay empty from the pre-sale grid, the complement from
// either). False when the grid has no active row.
bool ObtemProduto(ProdutoAtual& produto, const GridModel& grid, OrigemProduto origem);

// The product-entry screen's row target in the pre-sale grid: the row
// after the last for a product not listed; for a listed one, a new product
// (session.novoProduto) asks "Este produto já foi selecionado deseja
// alterar?" (No: 0); an edit of read-back products (session.produtosLidos)
// refuses a quantity above the row's with an information box (0).
qint16 ValidaProduto_Grid_Pre(ClientSession& session, const GridModel& grid,
                              const ProdutoAtual& produto);

// Writes the product into its target row (the grid grows to it); false and
// nothing written when the target is 0. Status (10) and value to credit
// (12) are left as they are.
bool PrencherGridPre(ClientSession& session, GridModel& grid, const ProdutoAtual& produto);

}  // namespace vtx::client::sale
