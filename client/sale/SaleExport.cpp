#include "sale/SaleExport.h"

#include <QFileInfo>

#include "core/DataFile.h"

namespace vtx::client::sale {

QString arquivoExportacao(const EstruturaPrincipal& settings, const QString& nsu) {
    if (settings.FileAux.trimmed().isEmpty() || settings.LayoutArquivo != 1) return {};
    if (!QFileInfo(QString::fromStdString(DataFile::nativePath(settings.FileAux))).isDir())
        return {};
    return exportFileName(settings.FileAux, nsu);
}

ExportSale vendaExportada(const ClientSession& session) {
    const ProductLists& p = session.produtos;
    ExportSale sale;
    sale.productCount = p.qtdProdutos;
    sale.codes = p.codigo;
    for (qsizetype i = 0; i < p.codigo.size(); ++i) {
        const int index = static_cast<int>(i);
        sale.quantities << ProductLists::at(p.quantidade, index);
        sale.grossPrices << ProductLists::at(p.precoBruto, index);
        sale.netPrices << ProductLists::at(p.precoLiquido, index);
    }
    sale.nsu = session.nsu;
    sale.identification1 = session.cartao.identificacao1;
    sale.identification2 = session.cartao.identificacao2;
    sale.now = session.clock();
    return sale;
}

}  // namespace vtx::client::sale
