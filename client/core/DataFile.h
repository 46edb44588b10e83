// Reading the station's data files (operator table, checksummed files) by
// their Windows-style paths, found without regard to case.
//
// A fault is returned as the run-time error the client reports through
// TrataErro: a number and a Portuguese description.
//
// Thread-safety: stateless; any thread.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vtx::client {

struct FileFault {
    int number = 0;
    QString description;
};

class DataFile {
public:
    // The native path of a Windows-style or native one, case resolved.
    static std::string nativePath(const QString& path);

    // True when a regular file is there.
    static bool exists(const QString& path);

    // Reads the whole file in chunks, in order. `onChunk` returns false to
    // stop early (not a fault).
    static std::optional<FileFault> readChunks(
        const QString& path, const std::function<bool(std::string_view)>& onChunk);

    // Reads the file as text lines: CR LF, LF and a lone CR end a line and are
    // not part of it; a last line without a terminator counts. Bytes of a line
    // beyond `maxLineBytes` are dropped. `onLine` returns false to stop early.
    static std::optional<FileFault> readLines(const QString& path, size_t maxLineBytes,
                                              const std::function<bool(std::string_view)>& onLine);
};

}  // namespace vtx::client
