// Printer: the system printer as the client's screens use it (receipts, the
// grids of the report screens).
//
// A document is begun, filled and ended: beginDocument(), then any number of
// setFont(), printLine() and printGrid(), then endDocument(), which sends it
// to the printer. Calls outside a document fail. Every call returns false on
// a fault (no printer, spooler refused, ...) and lastError() then says why in
// words the operator's error box can show; the caller reports it through
// TrataErro.
//
// The widget layer implements it on the platform's printing; tests use
// testing::RecordingPrinter.
//
// Thread-safety: the client's single thread.
#pragma once

#include <QString>

#include "core/GridModel.h"

namespace vtx::client {

class Printer {
public:
    virtual ~Printer();

    virtual bool beginDocument(bool landscape) = 0;

    // Font for the lines printed after it (e.g. "Courier New", 8, false).
    virtual bool setFont(const QString& name, double pointSize, bool bold) = 0;

    // One line of text; an empty text prints an empty line.
    virtual bool printLine(const QString& text) = 0;

    // The grid's heading row and data rows, hidden columns left out, under
    // `header` (one line above the grid).
    virtual bool printGrid(const GridModel& grid, const QString& header) = 0;

    // Ends the document and sends it to the printer.
    virtual bool endDocument() = 0;

    virtual QString lastError() const = 0;
};

}  // namespace vtx::client
