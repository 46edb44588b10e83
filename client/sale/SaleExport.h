// The point-of-sale export file at the end of an accepted pre-sale or sale:
// whether the station asks for it (FileAux names an existing folder and
// LayoutArquivo is 1), its name (FileAux + the NSU as a number + ".TRC") and
// its content from the session's product lists, NSU and card.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>

#include "core/ClientSession.h"
#include "export/GerarArquivo.h"

namespace vtx::client::sale {

// The file's path when the station asks for the file, else empty.
QString arquivoExportacao(const EstruturaPrincipal& settings, const QString& nsu);

// What the file is written from: the product lists (as many entries as
// codes), the NSU, identification fields 1 and 2, the session's clock.
ExportSale vendaExportada(const ClientSession& session);

}  // namespace vtx::client::sale
