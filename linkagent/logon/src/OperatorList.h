// The operator codes that the logon walks through, from the list buffer
// that ListAdm fills: zero-terminated codes, the list ending with an empty
// one. Each code counts up to its first blank.
//
// Thread-safety: pure function.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vtx::linkagent::logon {

// Reads at most `size` bytes of `list`; a code left unterminated at the end
// of the buffer still counts. Codes that are empty once cut at their first
// blank are skipped (no route can be found for them).
std::vector<std::string> parseOperatorList(const char* list, size_t size);

}  // namespace vtx::linkagent::logon
