#include "field/LeadingNumber.h"
#include "messaging/Amounts.h"
#include "messaging/GridLoaders.h"
#include "messaging/MessageExchange.h"
#include "messaging/RequestBuilders.h"
#include "messaging/RequestFields.h"

namespace vtx::client {
namespace {

using detail::itemKey;
namespace Col = PreSaleColumn;

void ensureEntry(ProductLists& p, int index) {
    while (p.codigo.size() <= index) p.appendEmpty();
}

// Makes sure the grid has the pre-sale columns.
void ensureColumns(GridModel& grid) {
    if (grid.maxCols() < Col::kCount) grid.setMaxCols(Col::kCount);
}

}  // namespace

bool Retorna_Status_Produtos(ClientSession& session, GridModel& grid, int primeiraLinha) {
    ensureColumns(grid);
    bool result = true;
    const qint64 items = leadingNumber(GetCampo(session, QStringLiteral("901-000")));
    for (int j = 1; j <= items && primeiraLinha + j <= grid.maxRows(); ++j) {
        const int row = primeiraLinha + j;
        const QString codigo = GetCampo(session, itemKey("902", j - 1));
        if (codigo.isEmpty()) {
            result = false;
            if (leadingNumber(grid.text(row, Col::kStatus)) >= 40) grid.setRowColor(row, GridModel::kRed);
            continue;
        }
        if (detail::zeroFilled(grid.text(row, Col::kCodigo), 13) != detail::zeroFilled(codigo, 13)) {
            mostraErro(session, QStringLiteral(
                                    "A resposta da mensagem de pré-Autorização fora da sequência enviada"));
            return false;
        }
        const QString quantidade = GetCampo(session, itemKey("905", j - 1));
        const QString bruto = centsToAmount(GetCampo(session, itemKey("910", j - 1)));
        const QString desconto = centsToAmount(GetCampo(session, itemKey("909", j - 1)));
        const QString liquido = centsToAmount(GetCampo(session, itemKey("911", j - 1)));
        const QString receber = centsToAmount(GetCampo(session, itemKey("912", j - 1)));
        const QString status = GetCampo(session, itemKey("919", j - 1));
        grid.setText(row, Col::kQuantidade, quantidade);
        grid.setText(row, Col::kPrecoBruto, bruto);
        grid.setText(row, Col::kDesconto, desconto);
        grid.setText(row, Col::kPrecoLiquido, liquido);
        grid.setText(row, Col::kValorReceber, receber);
        grid.setText(row, Col::kStatus, status);
        ProductLists& p = session.produtos;
        const int index = row - 1;
        ensureEntry(p, index);
        p.quantidade[index] = quantidade;
        p.precoBruto[index] = bruto;
        p.desconto[index] = desconto;
        p.precoLiquido[index] = liquido;
        p.valorReceber[index] = receber;
        p.status[index] = status;
    }
    return result;
}

bool Recupera_Pre(ClientSession& session, GridModel& grid, int primeiraLinha) {
    ensureColumns(grid);
    const qint64 items = leadingNumber(GetCampo(session, QStringLiteral("901-000")));
    for (int j = 1; j <= items && j <= 999; ++j) {
        const int row = primeiraLinha + j;
        if (grid.maxRows() < row) grid.setMaxRows(row);
        grid.setColumnHidden(Col::kDescricao, true);
        grid.setColumnHidden(Col::kFabricante, true);
        const QString values[] = {
            GetCampo(session, itemKey("906", j - 1)),
            GetCampo(session, itemKey("905", j - 1)),
            centsToAmount(GetCampo(session, itemKey("910", j - 1))),
            centsToAmount(GetCampo(session, itemKey("909", j - 1))),
            centsToAmount(GetCampo(session, itemKey("911", j - 1))),
            centsToAmount(GetCampo(session, itemKey("912", j - 1))),
            GetCampo(session, itemKey("902", j - 1)),
            GetCampo(session, itemKey("919", j - 1)),
        };
        const int columns[] = {Col::kTipoItem,     Col::kQuantidade,   Col::kPrecoBruto,
                               Col::kDesconto,     Col::kPrecoLiquido, Col::kValorReceber,
                               Col::kCodigo,       Col::kStatus};
        for (int c = 0; c < 8; ++c) grid.setText(row, columns[c], values[c]);
        ProductLists& p = session.produtos;
        const int index = row - 1;
        ensureEntry(p, index);
        p.tipoItem[index] = values[0];
        p.quantidade[index] = values[1];
        p.precoBruto[index] = values[2];
        p.desconto[index] = values[3];
        p.precoLiquido[index] = values[4];
        p.valorReceber[index] = values[5];
        p.codigo[index] = values[6];
        p.status[index] = values[7];
    }
    session.produtos.qtdProdutos = std::max(session.produtos.qtdProdutos,
                                            static_cast<int>(session.produtos.codigo.size()));
    return true;
}

}  // namespace vtx::client
