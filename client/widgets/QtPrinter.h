// QtPrinter: the client's Printer on Qt PrintSupport.
//
// Documents go to the system's default printer, or, when the client's
// settings name a file ([DADOS_GERAIS] "ArquivoPDF" in VtxClient.ini, see
// doc/printing.md), to that PDF file instead (a station without a printer,
// the demo, tests). Lines are printed top to bottom in the current font,
// with a new page when a page is full; a grid prints its header line, then
// its heading row and data rows in columns as wide as the grid's widths,
// hidden columns left out.
//
// lastError() holds the operator's words for the last fault, in Portuguese.
// A document in which a call failed is discarded by endDocument(), which then
// fails with the first fault: half a report is never printed.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QFont>
#include <QString>
#include <memory>

#include "core/EstruturaPrincipal.h"
#include "core/Printer.h"

class QPainter;
class QPrinter;

namespace vtx::client::widgets {

class QtPrinter : public Printer {
public:
    // Prints to the system printer.
    QtPrinter();
    ~QtPrinter() override;

    // The PDF file named by [DADOS_GERAIS] "ArquivoPDF" of the client's
    // settings file, or the system printer when the key is missing or empty.
    static std::unique_ptr<QtPrinter> fromSettings(const EstruturaPrincipal& settings);

    // Prints to this PDF file (a Windows-style or native path) from the next
    // document on; empty: the system printer.
    void setPdfFile(const QString& path) { pdfFile_ = path; }
    const QString& pdfFile() const { return pdfFile_; }

    bool beginDocument(bool landscape) override;
    bool setFont(const QString& name, double pointSize, bool bold) override;
    bool printLine(const QString& text) override;
    bool printGrid(const GridModel& grid, const QString& header) override;
    bool endDocument() override;
    QString lastError() const override { return lastError_; }

private:
    bool fail(const QString& error);
    bool ensureRoom(int height);

    QString pdfFile_;
    QString lastError_;
    QFont font_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    int y_ = 0;
    bool failed_ = false;  // a call of the open document failed
};

}  // namespace vtx::client::widgets
