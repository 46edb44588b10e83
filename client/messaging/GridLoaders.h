// Copying grid rows into the session's product lists before a request is
// built: every row of the pre-sale grid (`CarregaItem_Grid`), or the selected
// rows of the transaction-products grid of a cancellation
// (`CancelaItem_Grid`).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include "core/ClientSession.h"
#include "core/GridModel.h"

namespace vtx::client {

// The pre-sale grid's columns (1-based).
namespace PreSaleColumn {
inline constexpr int kDescricao = 1;
inline constexpr int kFabricante = 2;
inline constexpr int kTipoItem = 3;
inline constexpr int kQuantidade = 4;
inline constexpr int kPrecoBruto = 5;
inline constexpr int kDesconto = 6;
inline constexpr int kPrecoLiquido = 7;
inline constexpr int kValorReceber = 8;
inline constexpr int kCodigo = 9;
inline constexpr int kStatus = 10;
inline constexpr int kComplemento = 11;
inline constexpr int kValorCredito = 12;
inline constexpr int kCount = 12;
}  // namespace PreSaleColumn

// True when rows were loaded; false (reported) when the grid has none.
bool CarregaItem_Grid(ClientSession& session, const GridModel& grid);

// True when the grid has rows, whether or not any is selected.
bool CancelaItem_Grid(ClientSession& session, const GridModel& grid);

}  // namespace vtx::client
