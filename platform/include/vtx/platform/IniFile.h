// Private-profile (INI) files with the semantics the shop's configuration
// relies on.
//
// Reading: section and key names compare without regard to case; the first
// matching section and the first matching key in it win; values are trimmed of
// blanks and tabs and lose one pair of surrounding double or single quotes; a
// missing file, section or key gives the caller's default. Lines starting with
// ";" are comments. Bytes are kept as they are (Windows-1252 files).
//
// Writing: creates the file (and its section) when missing, replaces the
// first matching key in place, appends a new key after the last entry of its
// section, and keeps every other line byte for byte. New lines end in CR LF.
// The new content is written to a temporary file in the same folder and
// renamed over the old one (AtomicFile.h) while holding an advisory lock on the folder, so
// concurrent writers in threads and processes lose no entry and a crash
// leaves either the old or the new file.
//
// File names follow profilePath(): a bare name is in the Windows directory.
//
// Thread-safety: all functions may be called from any thread. Parsed files are
// cached by path, keyed on the file's identity, size and modification time;
// a file modified in the last moments is always read again, so a cached
// answer is never older than the file.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vtx/platform/AtomicFile.h"

namespace vtx::platform {

// One parsed INI file, immutable once loaded.
class IniDocument {
public:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    static IniDocument parse(std::string_view content);

    // The value of the first `key` in the first `section`, or nullopt.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    // find(), or `def` when missing. At most `maxLen` bytes are returned
    // (0 = unlimited), as the callers' fixed buffers do.
    std::string getString(std::string_view section, std::string_view key, std::string_view def,
                          size_t maxLen = 0) const;

    // Integer in the Windows manner: missing key gives `def`; otherwise the
    // leading optional sign and decimal digits of the value ("50x" is 50,
    // "abc" is 0).
    long getInt(std::string_view section, std::string_view key, long def) const;

    // Section names in file order (duplicates listed once, first spelling).
    std::vector<std::string> sectionNames() const;

    const std::vector<Section>& sections() const { return sections_; }

private:
    std::vector<Section> sections_;
};

// A shared, read-only view of a file as it is now (empty when missing).
std::shared_ptr<const IniDocument> loadIni(std::string_view fileName);

// Convenience readers: one value, read through loadIni().
std::string iniGetString(std::string_view fileName, std::string_view section, std::string_view key,
                         std::string_view def, size_t maxLen = 0);
long iniGetInt(std::string_view fileName, std::string_view section, std::string_view key, long def);
std::vector<std::string> iniSectionNames(std::string_view fileName);

struct IniWrite {
    std::string section;
    std::string key;
    std::optional<std::string> value;  // nullopt deletes the key
};

// Applies all writes in one atomic replacement of the file (replaceFile(),
// `mode` the widest mode of the file: kPrivateFileMode for a file holding
// secrets or card data). When the content would not change, the file is left
// untouched. Returns false when the file could not be written (the old file
// is then unchanged).
bool iniWrite(std::string_view fileName, const std::vector<IniWrite>& writes,
              mode_t mode = kSharedFileMode);

// The content `content` with `writes` applied, as iniWrite() would store it;
// nothing is read or written. For a caller that builds several files before
// putting any of them in place.
std::string iniApplyWrites(std::string_view content, const std::vector<IniWrite>& writes);

// One key; an empty value is written as "key=".
bool iniWriteString(std::string_view fileName, std::string_view section, std::string_view key,
                    std::string_view value);

// Removes a whole section with its entries.
bool iniDeleteSection(std::string_view fileName, std::string_view section);

}  // namespace vtx::platform
