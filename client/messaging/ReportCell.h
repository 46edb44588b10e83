// One cell of a report file: its first character is the type, the rest the
// content. See doc/report-files.md.
//
// Thread-safety: pure functions.
#pragma once

#include <QString>

#include "core/GridModel.h"

namespace vtx::client {

struct ReportCell {
    QString text;  // as shown
    GridModel::Alignment alignment = GridModel::Alignment::Left;
    bool known = false;  // a known type letter
};

// "A" text (trimmed, left), "N" number (right), "M" cents shown with two
// decimals and a decimal comma (right), "D" date "dd/mm/yy" and, for 13
// characters, time "hh:mm:ss" (left); any other type gives an empty cell.
ReportCell reportCell(const QString& item);

}  // namespace vtx::client
