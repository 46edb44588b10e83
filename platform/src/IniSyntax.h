// How one line of an INI file is read; shared by the parser and the editor
// so that a write targets exactly the line a read would find.
//
// Thread-safety: pure functions.
#pragma once

#include <string_view>

namespace vtx::platform::detail {

enum class IniLineKind { kOther, kSection, kKey };

struct IniLine {
    IniLineKind kind = IniLineKind::kOther;
    std::string_view name;   // section name or key, trimmed
    std::string_view value;  // raw value text after "=" (key lines only)
};

// Blanks and tabs off both ends.
inline std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// `line` without its line end.
inline IniLine classifyIniLine(std::string_view line) {
    IniLine out;
    std::string_view text = trimBlanks(line);
    if (text.empty() || text.front() == ';') return out;
    if (text.front() == '[') {
        std::string_view name = text.substr(1);
        size_t close = name.find(']');
        if (close != std::string_view::npos) name = name.substr(0, close);
        out.kind = IniLineKind::kSection;
        out.name = trimBlanks(name);
        return out;
    }
    size_t eq = text.find('=');
    if (eq == std::string_view::npos) return out;
    out.kind = IniLineKind::kKey;
    out.name = trimBlanks(text.substr(0, eq));
    out.value = text.substr(eq + 1);
    return out;
}

// The stored value: trimmed, then one pair of matching quotes removed.
inline std::string_view unquoteIniValue(std::string_view raw) {
    std::string_view v = trimBlanks(raw);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

}  // namespace vtx::platform::detail
