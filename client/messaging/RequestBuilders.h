// The requests the client sends to the host, one builder per kind: each adds
// the common fields and its own to the session's message, sends it, judges
// the answer and, for product answers, reads them into the screens' grids and
// the session's product lists.
//
// Every builder reports its faults through the session's error reporter under
// its own name and then returns false.
//
// Thread-safety: the client's user-interface thread only; builders share the
// session's single message and answer buffer and must not overlap.
#pragma once

#include <QString>

#include "core/ClientSession.h"
#include "core/GridModel.h"

namespace vtx::client {

// The fields every request begins with; `referencia` is the host
// transaction number to echo (empty: no 012-000). Empties the answer buffer.
bool MontaCamposComuns(ClientSession& session, const QString& codigoMensagem,
                       const QString& codigoProcessamento, const QString& referencia);

// Cardholder eligibility; `mais` is sent as 900-000 for a sale (0: not sent).
// On acceptance the answer's 012-000 becomes the session's NSU.
bool Mensagem_ElegPortador(ClientSession& session, qint16 mais);

// Pre-authorisation (or, for transaction type "VENDA", the sale) of the
// session's product lists in batches of 12, updating `grid` (the pre-sale
// grid) from each batch's answer. A batch that cannot be sent stops the
// builder: the operator is told and the result is false.
bool Mensagem_GeracaoPre(ClientSession& session, GridModel& grid, const QString& documento);

// Registration change; on acceptance the distributor is recorded in the
// client's settings file under "DISTRIBUIDORA_" + administrator.
bool Mensagem_Alteracao_Cadastral(ClientSession& session, const QString& distribuidora,
                                  const QString& administradora);

// Confirmation of the transaction of the session's NSU.
bool Mensagem_Confirmacao(ClientSession& session);

// Reversal of the transaction of the session's NSU; false only when the
// host answered and refused.
bool Mensagem_Anulacao(ClientSession& session);

// Cancellation of the transaction of the session's NSU, of its selected
// products (the product lists) or whole (`semProdutos`).
bool Mensagem_Cancelamento(ClientSession& session, bool semProdutos);

// Where the answer of a product query is listed.
enum class ProductQueryTarget {
    QueryGrid,    // the product-query screen's grid (10 columns)
    PreSaleGrid,  // the pre-sale grid (12 columns)
};

// Product query by code or text, page `pagina`; the items are appended to
// `grid`. True when the host accepted (even with no items), or when a
// refused numeric code was priced locally.
bool Mensagem_Consulta_Produtos(ClientSession& session, const QString& pesquisa, qint16 pagina,
                                GridModel& grid, ProductQueryTarget target);

// The per-item answer of a pre-sale batch into the pre-sale grid rows after
// `primeiraLinha` and the product lists.
bool Retorna_Status_Produtos(ClientSession& session, GridModel& grid, int primeiraLinha);

// A pre-authorisation read back (the items of the answer) into the pre-sale
// grid rows after `primeiraLinha` and the product lists.
bool Recupera_Pre(ClientSession& session, GridModel& grid, int primeiraLinha);

// The processing code of a confirmation or reversal for the session's
// transaction type and pending transaction.
QString codigoProcessamentoConfirmacao(const ClientSession& session);

}  // namespace vtx::client
