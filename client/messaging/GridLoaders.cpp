#include "messaging/GridLoaders.h"

#include "core/NumericText.h"

namespace vtx::client {

bool CarregaItem_Grid(ClientSession& session, const GridModel& grid) {
    ProductLists& p = session.produtos;
    p.clear();
    if (grid.maxRows() < 1) {
        session.reporter.TrataErro(QStringLiteral("CarregaItemVenda_Grid"),
                                   QStringLiteral("Não existem itens para cancelar."));
        return false;
    }
    using namespace PreSaleColumn;
    for (int row = 1; row <= grid.maxRows(); ++row) {
        int i = p.appendEmpty();
        p.descricao[i] = grid.text(row, kDescricao);
        p.tipoItem[i] = grid.text(row, kTipoItem);
        p.quantidade[i] = grid.text(row, kQuantidade);
        p.precoBruto[i] = grid.text(row, kPrecoBruto);
        p.desconto[i] = grid.text(row, kDesconto);
        p.precoLiquido[i] = grid.text(row, kPrecoLiquido);
        p.valorReceber[i] = grid.text(row, kValorReceber);
        p.codigo[i] = grid.text(row, kCodigo);
        p.status[i] = grid.text(row, kStatus);
        p.complemento[i] = grid.text(row, kComplemento);
        p.valorCredito[i] = grid.text(row, kValorCredito);
    }
    return true;
}

bool CancelaItem_Grid(ClientSession& session, const GridModel& grid) {
    ProductLists& p = session.produtos;
    // The count follows the lists: a count left from an earlier load would
    // send products that were never selected.
    p.clear();
    if (grid.maxRows() < 1) {
        session.reporter.TrataErro(QStringLiteral("CancelaItem_Grid"),
                                   QStringLiteral("Não existem itens para cancelar."));
        return false;
    }
    for (int row : grid.selectedRows()) {
        int i = p.appendEmpty();
        p.codigo[i] = QString::number(static_cast<qint64>(valueOf(grid.text(row, 5))));
        p.descricao[i] = grid.text(row, 8).trimmed();
        p.tipoItem[i] = grid.text(row, 9).trimmed();
        p.quantidade[i] = QString::number(static_cast<qint64>(valueOf(grid.text(row, 10))));
        p.precoBruto[i] = grid.text(row, 12);
        p.precoLiquido[i] = grid.text(row, 13);
    }
    return true;
}

}  // namespace vtx::client
