// ASCII case folding and comparison: the one set of case-insensitive helpers
// for names and keys (paths, INI sections and keys, library names, the
// simulators' configuration). The shop's names are ASCII; bytes above 0x7F
// compare as they are.
//
// Thread-safety: pure functions.
#pragma once

#include <string_view>

namespace vtx::platform {

inline char toLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char toUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (toLowerAscii(a[i]) != toLowerAscii(b[i])) return false;
    }
    return true;
}

inline bool endsWithIgnoreCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

// True when `part` stands somewhere in `text` (an empty part always does).
inline bool containsIgnoreCase(std::string_view text, std::string_view part) {
    for (size_t i = 0; i + part.size() <= text.size(); ++i) {
        if (equalsIgnoreCase(text.substr(i, part.size()), part)) return true;
    }
    return false;
}

}  // namespace vtx::platform
