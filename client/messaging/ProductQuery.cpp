#include "field/LeadingNumber.h"
#include "messaging/Amounts.h"
#include "messaging/GridLoaders.h"
#include "messaging/MessageExchange.h"
#include "messaging/PriceLookup.h"
#include "messaging/RequestBuilders.h"
#include "messaging/RequestFields.h"

namespace vtx::client {
namespace {

using detail::itemKey;

struct ItemRow {
    QString descricao, fabricante, tipoItem, bruto, desconto, liquido, receber, codigo, status;
};

// Where each item field goes: the product-query grid (10 columns) or the
// pre-sale grid (12 columns).
struct GridColumns {
    int count, descricao, fabricante, tipoItem, bruto, desconto, liquido, receber, codigo, status;
};
constexpr GridColumns kQueryColumns{10, 1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr GridColumns kPreSaleColumns{PreSaleColumn::kCount,        PreSaleColumn::kDescricao,
                                      PreSaleColumn::kFabricante,   PreSaleColumn::kTipoItem,
                                      PreSaleColumn::kPrecoBruto,   PreSaleColumn::kDesconto,
                                      PreSaleColumn::kPrecoLiquido, PreSaleColumn::kValorReceber,
                                      PreSaleColumn::kCodigo,       PreSaleColumn::kStatus};

void writeRow(GridModel& grid, ProductQueryTarget target, int row, const ItemRow& item) {
    const GridColumns& c =
        target == ProductQueryTarget::QueryGrid ? kQueryColumns : kPreSaleColumns;
    if (grid.maxCols() < c.count) grid.setMaxCols(c.count);
    grid.setText(row, c.descricao, item.descricao);
    grid.setText(row, c.fabricante, item.fabricante);
    grid.setText(row, c.tipoItem, item.tipoItem);
    grid.setText(row, c.bruto, item.bruto);
    grid.setText(row, c.desconto, item.desconto);
    grid.setText(row, c.liquido, item.liquido);
    grid.setText(row, c.receber, item.receber);
    grid.setText(row, c.codigo, item.codigo);
    grid.setText(row, c.status, item.status);
}

void appendItem(ClientSession& session, GridModel& grid, ProductQueryTarget target,
                const ItemRow& item) {
    const int row = grid.maxRows() + 1;
    grid.setMaxRows(row);
    writeRow(grid, target, row, item);
    ProductLists& p = session.produtos;
    while (p.codigo.size() < row) p.appendEmpty();
    const int i = row - 1;
    p.descricao[i] = item.descricao;
    p.tipoItem[i] = item.tipoItem;
    p.precoBruto[i] = item.bruto;
    p.desconto[i] = item.desconto;
    p.precoLiquido[i] = item.liquido;
    p.valorReceber[i] = item.receber;
    p.codigo[i] = item.codigo;
    p.status[i] = item.status;
    p.qtdProdutos = grid.maxRows();
}

bool isNumeric(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    for (QChar c : t)
        if (!c.isDigit()) return false;
    return true;
}

// A refused numeric code is priced by the local source instead.
bool priceLocally(ClientSession& session, const QString& codigo, GridModel& grid,
                  ProductQueryTarget target) {
    session.produtos.clear();
    ItemRow item;
    item.codigo = codigo.trimmed();
    item.tipoItem = QStringLiteral(" ");
    item.bruto = QStringLiteral("0");
    item.liquido = QStringLiteral("0");
    item.receber = QStringLiteral("0");
    item.desconto = QStringLiteral("0");
    QString exibicao;
    if (!ProcessaPreco(session, item.codigo, item.tipoItem, item.descricao, item.bruto,
                       item.liquido, item.receber, {}, item.desconto, exibicao))
        return false;
    appendItem(session, grid, target, item);
    return true;
}

}  // namespace

bool Mensagem_Consulta_Produtos(ClientSession& session, const QString& pesquisa, qint16 pagina,
                                GridModel& grid, ProductQueryTarget target) {
    if (!MontaCamposComuns(session, QStringLiteral("0100"), QStringLiteral("800100"), session.nsu))
        return false;
    detail::add(session, QStringLiteral("900-000"), QString::number(pagina));
    if (session.settings.MsgIso)
        detail::add(session, QStringLiteral("901-000"), QStringLiteral("00"));
    detail::add(session, QStringLiteral("920-000"), pesquisa);
    const int result = ProcessaMsg(session);
    if (result < 0) {
        detail::showExchangeError(session, result);
        return false;
    }
    if (!VerificaRetorno(session, false)) {
        if (isNumeric(pesquisa)) return priceLocally(session, pesquisa, grid, target);
        return false;
    }
    session.maisItens = GetCampo(session, QStringLiteral("900-000"));
    const qint64 items = leadingNumber(GetCampo(session, QStringLiteral("901-000")));
    for (int i = 0; i < items && i < 999; ++i) {
        ItemRow item;
        item.descricao = GetCampo(session, itemKey("903", i));
        item.fabricante = GetCampo(session, itemKey("904", i));
        item.tipoItem = GetCampo(session, itemKey("906", i));
        item.bruto = centsToAmount(GetCampo(session, itemKey("910", i)));
        item.desconto = centsToAmount(GetCampo(session, itemKey("909", i)));
        item.liquido = centsToAmount(GetCampo(session, itemKey("911", i)));
        item.receber = centsToAmount(GetCampo(session, itemKey("912", i)));
        item.codigo = GetCampo(session, itemKey("902", i));
        item.status = GetCampo(session, itemKey("919", i));
        appendItem(session, grid, target, item);
    }
    if (grid.maxRows() == 0) {
        mostraErro(session, QStringLiteral("Não foram encontrados produtos"));
        session.produtos.qtdProdutos = 0;
    }
    return true;
}

}  // namespace vtx::client
