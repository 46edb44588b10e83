#include "IniEdit.h"

#include <cstddef>

#include "IniSyntax.h"
#include "vtx/platform/AsciiCase.h"

namespace vtx::platform::detail {

namespace {

constexpr std::string_view kNewLine = "\r\n";

// One line of the file with its own line end ("\r\n", "\n" or none for an
// unterminated last line).
struct Line {
    std::string text;
    std::string end;
};

std::vector<Line> splitLines(std::string_view content) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < content.size()) {
        size_t nl = content.find('\n', pos);
        if (nl == std::string_view::npos) {
            lines.push_back(Line{std::string(content.substr(pos)), {}});
            break;
        }
        size_t textEnd = (nl > pos && content[nl - 1] == '\r') ? nl - 1 : nl;
        lines.push_back(Line{std::string(content.substr(pos, textEnd - pos)),
                             std::string(content.substr(textEnd, nl + 1 - textEnd))});
        pos = nl + 1;
    }
    return lines;
}

std::string joinLines(const std::vector<Line>& lines) {
    std::string out;
    for (const Line& l : lines) {
        out += l.text;
        out += l.end;
    }
    return out;
}

// Index range [begin, end) of the first section named `name`: begin is the
// header line. begin == lines.size() when the section is missing.
struct Span {
    size_t begin;
    size_t end;
};

Span findSection(const std::vector<Line>& lines, std::string_view name) {
    for (size_t i = 0; i < lines.size(); ++i) {
        IniLine h = classifyIniLine(lines[i].text);
        if (h.kind != IniLineKind::kSection || !equalsIgnoreCase(h.name, name)) continue;
        size_t end = i + 1;
        while (end < lines.size() &&
               classifyIniLine(lines[end].text).kind != IniLineKind::kSection) {
            ++end;
        }
        return Span{i, end};
    }
    return Span{lines.size(), lines.size()};
}

// Makes sure the last line is terminated before something is added after it.
// A last line that ends in a lone CR (the file cut after it) reads without
// that CR: the CR becomes the start of its CR LF, so its value stays as read.
void terminateLast(std::vector<Line>& lines) {
    if (lines.empty() || !lines.back().end.empty()) return;
    if (!lines.back().text.empty() && lines.back().text.back() == '\r') lines.back().text.pop_back();
    lines.back().end = kNewLine;
}

void applyOne(std::vector<Line>& lines, const IniWrite& w) {
    Span span = findSection(lines, w.section);
    bool haveSection = span.begin < lines.size();
    size_t keyLine = lines.size();
    size_t lastEntry = span.begin;
    std::string keySpelling;
    if (haveSection) {
        for (size_t i = span.begin + 1; i < span.end; ++i) {
            IniLine l = classifyIniLine(lines[i].text);
            if (l.kind != IniLineKind::kKey) continue;
            lastEntry = i;
            if (keyLine == lines.size() && equalsIgnoreCase(l.name, w.key)) {
                keyLine = i;
                keySpelling = l.name;
            }
        }
    }

    if (!w.value) {
        if (keyLine < lines.size())
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(keyLine));
        return;
    }
    if (keyLine < lines.size()) {
        lines[keyLine].text = keySpelling + "=" + *w.value;
        return;
    }
    Line entry{w.key + "=" + *w.value, std::string(kNewLine)};
    if (haveSection) {
        if (lines[lastEntry].end.empty()) lines[lastEntry].end = kNewLine;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastEntry) + 1, std::move(entry));
        return;
    }
    terminateLast(lines);
    lines.push_back(Line{"[" + w.section + "]", std::string(kNewLine)});
    lines.push_back(std::move(entry));
}

}  // namespace

std::string applyIniWrites(std::string_view content, const std::vector<IniWrite>& writes) {
    std::vector<Line> lines = splitLines(content);
    for (const IniWrite& w : writes) applyOne(lines, w);
    return joinLines(lines);
}

std::string deleteIniSection(std::string_view content, std::string_view section) {
    std::vector<Line> lines = splitLines(content);
    Span span = findSection(lines, section);
    if (span.begin >= lines.size()) return std::string(content);
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(span.begin),
                lines.begin() + static_cast<std::ptrdiff_t>(span.end));
    return joinLines(lines);
}

}  // namespace vtx::platform::detail
