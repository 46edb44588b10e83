#include "sale/PreSaleGrid.h"

#include <algorithm>

#include "core/NumericText.h"
#include "field/LeadingNumber.h"
#include "messaging/GridLoaders.h"

namespace vtx::client::sale {
namespace Col = PreSaleColumn;
namespace QCol = QueryColumn;

namespace {

const QString kPreSaleGridTitle = QStringLiteral("Atenção");

void setHeadings(GridModel& grid, std::initializer_list<const char*> headings) {
    int col = 1;
    for (const char* heading : headings) grid.setHeadingText(col++, QString::fromUtf8(heading));
}

}  // namespace

void configuraColunasPreVenda(GridModel& grid, bool venda, const IdentificationField& campo3) {
    grid.setMaxCols(Col::kCount);
    setHeadings(grid, {"Descrição", "Fabricante", "Emb.", "Qtde", "Preço Bruto", "Desconto",
                       "Preço Líquido", "Valor a Receber Loja", "Código", "Status", "", ""});
    const bool complemento = !venda && campo3.asked();
    grid.setColumnHidden(Col::kComplemento, !complemento);
    if (complemento) grid.setHeadingText(Col::kComplemento, campo3.label.trimmed());
    grid.setColumnHidden(Col::kValorCredito, true);
    for (int col : {Col::kQuantidade, Col::kPrecoBruto, Col::kDesconto, Col::kPrecoLiquido,
                    Col::kValorReceber})
        grid.setAlignment(col, GridModel::Alignment::Right);
}

void configuraColunasConsulta(GridModel& grid) {
    grid.setMaxCols(QCol::kCount);
    setHeadings(grid, {"Descrição", "Fabricante", "Emb.", "Preço Bruto", "Desconto",
                       "Preço Líquido", "Valor a Receber Loja", "Código", "Status", ""});
    grid.setColumnHidden(QCol::kValorCredito, true);
    for (int col : {QCol::kPrecoBruto, QCol::kDesconto, QCol::kPrecoLiquido, QCol::kValorReceber})
        grid.setAlignment(col, GridModel::Alignment::Right);
}

int linhaDoProduto(const GridModel& grid, const QString& codigo, const QString& tipoItem) {
    const QString code = codigo.trimmed();
    const QString type = tipoItem.trimmed();
    for (int row = 1; row <= grid.maxRows(); ++row)
        if (grid.text(row, Col::kCodigo).trimmed() == code &&
            grid.text(row, Col::kTipoItem).trimmed() == type)
            return row;
    return 0;
}

bool ValidaProduto_Grid_Pre(GridModel& grid, const QString& codigo, const QString& tipoItem) {
    const int row = linhaDoProduto(grid, codigo, tipoItem);
    if (row == 0) return true;
    grid.setActiveRow(row);
    return false;
}

int adicionaProdutoUnico(GridModel& pre, const GridModel& consulta, int linha) {
    if (pre.maxCols() < Col::kCount) pre.setMaxCols(Col::kCount);
    const QString codigo = consulta.text(linha, QCol::kCodigo);
    const QString tipo = consulta.text(linha, QCol::kTipoItem);
    if (!ValidaProduto_Grid_Pre(pre, codigo, tipo)) {
        const int row = pre.activeRow();
        pre.setText(row, Col::kQuantidade,
                    QString::number(leadingNumber(pre.text(row, Col::kQuantidade)) + 1));
        return row;
    }
    const int row = pre.maxRows() + 1;
    pre.setMaxRows(row);
    pre.setText(row, Col::kDescricao, consulta.text(linha, QCol::kDescricao));
    pre.setText(row, Col::kFabricante, consulta.text(linha, QCol::kFabricante));
    pre.setText(row, Col::kTipoItem, tipo);
    pre.setText(row, Col::kQuantidade, QStringLiteral("1"));
    // Query columns 4 to 9 are pre-sale columns 5 to 10.
    for (int col = QCol::kPrecoBruto; col <= QCol::kStatus; ++col)
        pre.setText(row, col + 1, consulta.text(linha, col));
    pre.setText(row, Col::kValorCredito, consulta.text(linha, QCol::kValorCredito));
    pre.setActiveRow(row);
    return row;
}

bool ObtemProduto(ProdutoAtual& produto, const GridModel& grid, OrigemProduto origem) {
    produto = ProdutoAtual{};
    const int row = grid.activeRow();
    if (row < 1 || row > grid.maxRows()) return false;
    auto cell = [&](int col) { return grid.text(row, col); };
    produto.descricao = cell(Col::kDescricao);
    produto.fabricante = cell(Col::kFabricante);
    produto.tipoItem = cell(Col::kTipoItem);
    if (origem == OrigemProduto::PreVenda) {
        produto.quantidade = cell(Col::kQuantidade);
        produto.precoBruto = cell(Col::kPrecoBruto);
        produto.desconto = cell(Col::kDesconto);
        produto.precoLiquido = cell(Col::kPrecoLiquido);
        produto.valorReceber = cell(Col::kValorReceber);
        produto.codigo = cell(Col::kCodigo);
        produto.valorCredito = cell(Col::kValorCredito);
    } else {
        produto.quantidade = QStringLiteral("1");
        produto.precoBruto = cell(QCol::kPrecoBruto);
        produto.desconto = cell(QCol::kDesconto);
        produto.precoLiquido = cell(QCol::kPrecoLiquido);
        produto.valorReceber = cell(QCol::kValorReceber);
        produto.codigo = cell(QCol::kCodigo);
        produto.status = cell(QCol::kStatus);
        produto.valorCredito = cell(QCol::kValorCredito);
    }
    return true;
}

qint16 ValidaProduto_Grid_Pre(ClientSession& session, const GridModel& grid,
                              const ProdutoAtual& produto) {
    const int row = linhaDoProduto(grid, produto.codigo, produto.tipoItem);
    if (row == 0) return static_cast<qint16>(std::min(grid.maxRows() + 1, 32767));
    if (session.novoProduto)
        return session.dialogs.askYesNo(kTextoJaSelecionado, kPreSaleGridTitle, MessageAnswer::Yes)
                   ? static_cast<qint16>(row)
                   : qint16{0};
    if (session.produtosLidos &&
        valueOf(produto.quantidade) > valueOf(grid.text(row, Col::kQuantidade))) {
        session.dialogs.message(kTextoQuantidadePre, kPreSaleGridTitle, MessageIcon::Information);
        return 0;
    }
    return static_cast<qint16>(row);
}

bool PrencherGridPre(ClientSession& session, GridModel& grid, const ProdutoAtual& produto) {
    const int row = ValidaProduto_Grid_Pre(session, grid, produto);
    if (row == 0) return false;
    if (grid.maxCols() < Col::kCount) grid.setMaxCols(Col::kCount);
    if (grid.maxRows() < row) grid.setMaxRows(row);
    grid.setText(row, Col::kDescricao, produto.descricao);
    grid.setText(row, Col::kFabricante, produto.fabricante);
    grid.setText(row, Col::kTipoItem, produto.tipoItem);
    grid.setText(row, Col::kQuantidade, produto.quantidade);
    grid.setText(row, Col::kPrecoBruto, produto.precoBruto);
    grid.setText(row, Col::kDesconto, produto.desconto);
    grid.setText(row, Col::kPrecoLiquido, produto.precoLiquido);
    grid.setText(row, Col::kValorReceber, produto.valorReceber);
    grid.setText(row, Col::kCodigo, produto.codigo);
    grid.setText(row, Col::kComplemento, produto.complemento);
    grid.setActiveRow(row);
    return true;
}

}  // namespace vtx::client::sale
