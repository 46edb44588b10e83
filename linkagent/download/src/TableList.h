// The network's list file ATCARQ.BIN (INI form): section [LIST], `Count`,
// and one key per entry, "0001", "0002", ..., whose value is
// "remote name;size;CRC;subfolder". An entry that names a path outside the
// installation directory, a negative or non-numeric size or a CRC that is
// not eight hexadecimal digits is refused with the reason.
//
// Thread-safety: pure functions.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vtx::linkagent::download {

struct TableEntry {
    std::string remoteName;  // may be a pattern
    long long size = 0;      // 0: not checked
    std::string crc;         // empty: not checked; compared as written
    std::string subfolder;   // relative to the installation directory, may be empty
};

struct ListedEntry {
    std::string key;                  // "0001"
    std::optional<TableEntry> entry;  // nullopt: missing or refused
    std::string problem;              // why, when refused or missing
};

// The entries of the file at `path` (native) in key order, Count of them.
std::vector<ListedEntry> readTableList(const std::string& path);

// One value "name;size;CRC;subfolder"; nullopt with `problem` set when refused.
std::optional<TableEntry> parseTableEntry(const std::string& value, std::string& problem);

// A remote or matched name that may be stored: not empty, not "." or "..",
// no "/" or "\", no control characters.
bool safeFileName(const std::string& name);
// A subfolder inside the installation directory: relative (no leading
// separator, no drive), no ".." component, no control characters.
bool safeSubfolder(const std::string& subfolder);

}  // namespace vtx::linkagent::download
