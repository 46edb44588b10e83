// Small text rules the installer's answers share: values compare without
// their surrounding blanks and tabs, as the INI reader gives them.
//
// Thread-safety: pure functions.
#pragma once

#include <string>
#include <string_view>

namespace vtx::install::detail {

inline std::string_view trimmedView(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

inline std::string trimmed(std::string_view text) { return std::string(trimmedView(text)); }

}  // namespace vtx::install::detail
