#include "core/testing/RecordingPrinter.h"

namespace vtx::client::testing {

bool RecordingPrinter::accept(bool needsDocument) {
    if (!failure_.isEmpty()) {
        lastError_ = failure_;
        return false;
    }
    if (inDocument_ != needsDocument) {
        lastError_ = needsDocument ? QStringLiteral("Documento não iniciado")
                                   : QStringLiteral("Documento já iniciado");
        return false;
    }
    lastError_.clear();
    return true;
}

bool RecordingPrinter::beginDocument(bool landscape) {
    if (!accept(false)) return false;
    inDocument_ = true;
    events_.push_back({PrintEvent::Kind::Begin, {}, landscape, 0, {}});
    return true;
}

bool RecordingPrinter::setFont(const QString& name, double pointSize, bool bold) {
    if (!accept(true)) return false;
    events_.push_back({PrintEvent::Kind::Font, name, bold, pointSize, {}});
    return true;
}

bool RecordingPrinter::printLine(const QString& text) {
    if (!accept(true)) return false;
    events_.push_back({PrintEvent::Kind::Line, text, false, 0, {}});
    return true;
}

bool RecordingPrinter::printGrid(const GridModel& grid, const QString& header) {
    if (!accept(true)) return false;
    events_.push_back({PrintEvent::Kind::Grid, header, false, 0, grid});
    return true;
}

bool RecordingPrinter::endDocument() {
    if (!accept(true)) return false;
    inDocument_ = false;
    ++documentsEnded_;
    events_.push_back({PrintEvent::Kind::End, {}, false, 0, {}});
    return true;
}

QStringList RecordingPrinter::lines() const {
    QStringList out;
    for (const PrintEvent& event : events_) {
        if (event.kind == PrintEvent::Kind::Line) out.append(event.text);
    }
    return out;
}

}  // namespace vtx::client::testing
