// The records of the export file as text, from values already converted and
// checked to fit their fields (see GerarArquivo.cpp). Layout: export-file.md.
//
// Thread-safety: pure function.
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

#include "export/GerarArquivo.h"

namespace vtx::client {

struct TrcProduct {
    QString code;                 // 13 digits
    qint64 quantity = 0;          // whole units, 0-9999
    qint64 gross = 0;             // hundredths, 0-kMaxAmount
    qint64 net = 0;               // hundredths, 0-gross
    qint64 netTimesQuantity = 0;  // hundredths, 0-kMaxAmount
};

struct TrcContent {
    int productCount = 0;      // 0-9999
    qint64 totalQuantity = 0;  // 0-99999
    qint64 totalGross = 0;     // hundredths, 0-kMaxAmount
    qint64 totalNet = 0;       // hundredths, 0-totalGross
    std::vector<TrcProduct> products;
    QString nsu;
    QString identification1;
    QString identification2;
    QDateTime now;
};

// R1 to R9, one RA per product, one RB per product; every line ends with CR LF.
QString trcText(const TrcContent& content, const ExportFormat& format);

}  // namespace vtx::client
