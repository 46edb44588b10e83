// The point-of-sale export file (<NSU>.TRC): the products and totals of a
// pre-sale as fixed-width records R1-R9, RA and RB for the shop's
// point-of-sale software. Layout: export-file.md beside this library's
// CMakeLists.txt.
//
// Thread-safety: GerarArquivo may run on any thread; two calls must not write
// the same file at once.
#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace vtx::client {

// What the file is written from. The product lists are parallel and 0-based:
// entry i of each is product i+1 of the client's 1-based lists. Every entry
// of `codes` is written; the other lists must have at least as many entries.
struct ExportSale {
    int productCount = 0;     // written in R2 as given
    QStringList codes;        // product codes, digits only (13 at most)
    QStringList quantities;   // "2", "2,00"
    QStringList grossPrices;  // local decimal texts: "10,00"
    QStringList netPrices;    // local decimal texts: "8,00"
    QString nsu;              // host transaction number; its last 8 characters go in R4
    QString identification1;  // cardholder identification fields, first 32 characters
    QString identification2;
    QDateTime now;  // date and time of R1
};

struct ExportFormat {
    // Decimal separator of the workstation's regional settings: written in the
    // computed amounts ("0000010,00") and expected in the product's amount and
    // quantity texts. The literal zero amounts of the layout keep ",".
    QChar decimalSeparator = u',';
    // Date separator of the regional settings, in R1's "dd/mm/yy".
    QChar dateSeparator = u'/';
};

struct ExportResult {
    bool ok = false;
    // On failure: "Erro na função GerarArquivo : <number> - <description>",
    // for the caller to show to the operator.
    QString message;
};

// Writes the export file at `path` (Windows-style or native; see
// vtx::platform::resolve), in Windows-1252 with CR LF line ends. The content
// goes to a temporary file in the same folder that then replaces `path`, so
// an existing file is either left as it was or replaced whole. Nothing is
// written when a product entry does not convert to a number ("13 - Type
// mismatch"), a list is shorter than the code list ("9 - Subscript out of
// range") or a value does not fit its field ("6 - Overflow"; negative values
// included).
ExportResult GerarArquivo(const QString& path, const ExportSale& sale,
                          const ExportFormat& format = {});

// The file name for a sale: `directory` (ending with its separator) followed
// by the NSU as a plain number without leading zeros and ".TRC".
QString exportFileName(const QString& directory, const QString& nsu);

}  // namespace vtx::client
