// The logon answer (ISO 8583 0810) as the station reads it, after the
// four-digit length: fixed offsets, then the file name and the records of
// one piece of a table file. Byte layout in logon-messages.md.
//
// Thread-safety: pure functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "LogonStore.h"

namespace vtx::linkagent::logon {

struct LogonAnswer {
    LogonMark mark;            // batch number (10) and table version (6) of the host
    std::string continuation;  // 10 characters, echoed in the next request
    std::string fileName;      // as installed: upper-cased, cut at its first blank; empty: no more
    std::string data;          // records, each ended by "!"
};

// nullopt for an answer the station must not act on: it opens with neither
// 0810 prefix, is too short for its fixed part or for the lengths it
// announces, has lengths that are not digits, control characters in the
// values kept in CORE.INI, or a file name that could leave the
// installation directory or act as a wildcard. An answer that ends right
// after its file name carries no data.
std::optional<LogonAnswer> parseLogonAnswer(std::string_view reply);

// The records of `data` that end with "!", without it; text after the last
// "!" is not a record.
std::vector<std::string_view> completeRecords(std::string_view data);

// True for a name that can be a file of the installation directory: not
// empty, not "." or "..", no path separator, drive colon, wildcard or
// control character, at most 200 characters.
bool isSafeTableName(std::string_view name);

}  // namespace vtx::linkagent::logon
