#include <limits>

#include "IniSyntax.h"
#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/IniFile.h"

namespace vtx::platform {

IniDocument IniDocument::parse(std::string_view content) {
    IniDocument doc;
    Section* current = nullptr;
    size_t pos = 0;
    while (pos < content.size()) {
        size_t end = content.find('\n', pos);
        if (end == std::string_view::npos) end = content.size();
        std::string_view line = content.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos = end + 1;

        detail::IniLine parsed = detail::classifyIniLine(line);
        if (parsed.kind == detail::IniLineKind::kSection) {
            doc.sections_.push_back(Section{std::string(parsed.name), {}});
            current = &doc.sections_.back();
        } else if (parsed.kind == detail::IniLineKind::kKey && current != nullptr) {
            current->entries.push_back(Entry{std::string(parsed.name),
                                             std::string(detail::unquoteIniValue(parsed.value))});
        }
    }
    return doc;
}

std::optional<std::string> IniDocument::find(std::string_view section, std::string_view key) const {
    for (const Section& s : sections_) {
        if (!equalsIgnoreCase(s.name, section)) continue;
        // Only the first section of that name counts.
        for (const Entry& e : s.entries) {
            if (equalsIgnoreCase(e.key, key)) return e.value;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::string IniDocument::getString(std::string_view section, std::string_view key,
                                   std::string_view def, size_t maxLen) const {
    std::optional<std::string> value = find(section, key);
    std::string out = value ? std::move(*value) : std::string(def);
    if (maxLen > 0 && out.size() > maxLen) out.resize(maxLen);
    return out;
}

long IniDocument::getInt(std::string_view section, std::string_view key, long def) const {
    std::optional<std::string> value = find(section, key);
    if (!value) return def;
    std::string_view v = *value;
    size_t i = 0;
    while (i < v.size() && (v[i] == ' ' || v[i] == '\t')) ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == '+' || v[i] == '-')) negative = v[i++] == '-';
    // Accumulate as a negative number so that the most negative long fits;
    // values beyond the range saturate.
    constexpr long kMin = std::numeric_limits<long>::min();
    long acc = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i) {
        int digit = v[i] - '0';
        if (acc < (kMin + digit) / 10) {
            acc = kMin;
            continue;
        }
        acc = acc * 10 - digit;
    }
    if (negative) return acc;
    return acc == kMin ? std::numeric_limits<long>::max() : -acc;
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) {
        bool seen = false;
        for (const std::string& n : names) {
            if (equalsIgnoreCase(n, s.name)) {
                seen = true;
                break;
            }
        }
        if (!seen) names.push_back(s.name);
    }
    return names;
}

}  // namespace vtx::platform
