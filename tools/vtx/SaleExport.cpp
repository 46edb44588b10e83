#include "SaleExport.h"

#include <QFileInfo>

#include "vtx/platform/Paths.h"

namespace vtx::tool {

using namespace vtx::client;

bool exportFileWanted(const EstruturaPrincipal& settings) {
    if (settings.FileAux.trimmed().isEmpty() || settings.LayoutArquivo != 1) return false;
    return QFileInfo(QString::fromStdString(platform::resolve(settings.FileAux.toStdString())))
        .isDir();
}

ExportSale exportSaleOf(const ClientSession& session, const QDateTime& now) {
    const ProductLists& p = session.produtos;
    ExportSale sale;
    sale.productCount = p.qtdProdutos;
    sale.codes = p.codigo;
    sale.quantities = p.quantidade;
    sale.grossPrices = p.precoBruto;
    sale.netPrices = p.precoLiquido;
    sale.nsu = session.nsu;
    sale.identification1 = session.cartao.identificacao1;
    sale.identification2 = session.cartao.identificacao2;
    sale.now = now;
    return sale;
}

SaleExportResult writeSaleExport(const ClientSession& session) {
    SaleExportResult result;
    result.wanted = exportFileWanted(session.settings);
    if (!result.wanted) return result;
    result.path = exportFileName(session.settings.FileAux, session.nsu);
    result.written = GerarArquivo(result.path, exportSaleOf(session, QDateTime::currentDateTime()));
    return result;
}

}  // namespace vtx::tool
