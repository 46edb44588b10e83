// Rewriting a data file whose name ends in the checksum of its content
// (UP.Sxx), so that the station never goes without one valid copy.
//
// The new content is written to a temporary file in the same folder and
// flushed, then renamed to its checksum name, and only then is the old file
// removed. While the old and the new name differ, a small intent file
// (".<prefix>~replace", e.g. ".UP.S~replace", holding the old and the new
// name) records the swap; if the process dies between the rename and the
// removal, finishInterruptedReplacement() completes it at the next look-up,
// so one valid copy is left and it is the newer one. Temporary files left by
// a process that died are removed there too. When the old and the new name
// are equal the rename replaces the file at once. The file holds the manager
// passwords: mode 0600 at most (platform/AtomicFile.h).
//
// Thread-safety: the client's single thread; one client runs per station.
#pragma once

#include <QString>

#include "core/ErrorReporter.h"

namespace vtx::client {

// Writes `text` as one line (CR LF after it, Windows-1252) to `path` without
// its last two characters followed by the check value of `text`, and removes
// the file at `path` when it exists under another name. True when written.
// A fault is reported through `reporter` under "SobreEscreveArquivo"; the old
// file is then left as it was.
bool SobreEscreveArquivo(const QString& path, const QString& text, const ErrorReporter& reporter);

// Completes or drops a swap that a dead process left unfinished in `folder`
// (Windows-style or native) for the files named `prefix` + two characters
// (e.g. "UP.S"), and removes the temporary files such a process left.
void finishInterruptedReplacement(const QString& folder, const QString& prefix,
                                  const ErrorReporter& reporter);

}  // namespace vtx::client
