// RecordingPrinter: a Printer for tests that records every call in order
// (grids as copies) and can be told to fail, as a station without a printer
// does.
//
// Thread-safety: one test thread.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "core/Printer.h"

namespace vtx::client::testing {

struct PrintEvent {
    enum class Kind { Begin, Font, Line, Grid, End };
    Kind kind = Kind::Line;
    QString text;       // Line: the text; Font: the name; Grid: the header
    bool flag = false;  // Begin: landscape; Font: bold
    double pointSize = 0;
    GridModel grid;  // Grid: the grid as it was printed
};

class RecordingPrinter : public Printer {
public:
    bool beginDocument(bool landscape) override;
    bool setFont(const QString& name, double pointSize, bool bold) override;
    bool printLine(const QString& text) override;
    bool printGrid(const GridModel& grid, const QString& header) override;
    bool endDocument() override;
    QString lastError() const override { return lastError_; }

    // From now on every call fails with `error` and records nothing; an empty
    // text makes the printer work again.
    void failWith(const QString& error) { failure_ = error; }

    const std::vector<PrintEvent>& events() const { return events_; }
    QStringList lines() const;  // texts of the printed lines, in order
    int documentsEnded() const { return documentsEnded_; }
    bool inDocument() const { return inDocument_; }

private:
    bool accept(bool needsDocument);

    std::vector<PrintEvent> events_;
    QString failure_;
    QString lastError_;
    bool inDocument_ = false;
    int documentsEnded_ = 0;
};

}  // namespace vtx::client::testing
