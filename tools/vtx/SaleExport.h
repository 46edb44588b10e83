// The point-of-sale export file of an accepted pre-sale or sale, written as
// the pre-sale screen writes it: when the station's FILEAUX names an
// existing folder and LayoutArquivo is 1, GerarArquivo(FileAux + NSU as a
// number + ".TRC") from the session's product lists (as the host answered
// them), its NSU and the card's identification fields.
//
// Thread-safety: one thread, with the session.
#pragma once

#include <QDateTime>
#include <QString>

#include "core/ClientSession.h"
#include "export/GerarArquivo.h"

namespace vtx::tool {

// Whether the station's settings ask for the export file.
bool exportFileWanted(const client::EstruturaPrincipal& settings);

// What the file is written from.
client::ExportSale exportSaleOf(const client::ClientSession& session, const QDateTime& now);

struct SaleExportResult {
    bool wanted = false;  // the settings ask for the file
    QString path;         // the file, as the settings name it
    client::ExportResult written;
};

// Writes the file when the settings ask for it.
SaleExportResult writeSaleExport(const client::ClientSession& session);

}  // namespace vtx::tool
