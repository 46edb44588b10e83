// CarregaGrid: the one loader of the report screens. Finds a report file in
// the installation directory (PathServer) by its name pattern, checks the
// checksum in its name, and fills a grid and a subtitle from its records.
// The record format is described in doc/report-files.md.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>

#include "core/ClientSession.h"
#include "core/GridModel.h"

namespace vtx::client {

// Loads the first file of PathServer matching `pattern` (e.g.
// "SSDEMO0001.S??") into `grid`: the file's first row becomes the heading row
// and fixes the columns, the following rows the data rows; `subtitle`
// receives the heading record's text (unchanged when the file has none).
// True when data rows were shown. Otherwise the operator is told why (file
// missing, checksum wrong, no data rows), the grid keeps whatever heading the
// file gave and no data row, and the result is false.
bool CarregaGrid(const QString& pattern, GridModel& grid, QString& subtitle,
                 ClientSession& session);

// How a report file loaded, for callers that tell nobody (the settlement of
// the journal looks at the pending transactions this way).
enum class ReportLoad { Loaded, Missing, Corrupt, Unreadable, Empty };

// CarregaGrid without the operator's messages: the grid and subtitle as
// CarregaGrid leaves them, `path` the file found (the pattern when none).
// A file that cannot be read is reported under "CarregaGrid".
ReportLoad loadReportFile(const QString& pattern, GridModel& grid, QString& subtitle,
                          const EstruturaPrincipal& settings, const ErrorReporter& reporter,
                          QString& path);

}  // namespace vtx::client
