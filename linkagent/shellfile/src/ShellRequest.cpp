#include "vtx/linkagent/shellfile/ShellRequest.h"

#include <cstdio>
#include <cstdlib>

#include "CardMask.h"

namespace vtx::linkagent {
namespace {

constexpr std::string_view kOperatorField = "040-000";
constexpr std::string_view kCancel = "000-000=EXI";
constexpr size_t kMarkerLength = 7;

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\f\v";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// Calls `take` with each line of `text`, line ends removed: CR LF, LF and a
// CR alone all end a line.
template <typename Take>
void forEachLine(std::string_view text, Take take) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            take(text.substr(start));
            return;
        }
        take(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
}

}  // namespace

std::string ShellRequest::framed() const {
    char length[8];
    (void)std::snprintf(length, sizeof length, "%04zu", message.size() % 10000);  // 4 digits
    return length + message;
}

ShellRequest parseShellRequest(std::string_view text, std::string_view eofMarker) {
    ShellRequest request;
    if (text.find('\0') != std::string_view::npos) {
        request.problem = ShellRequest::Problem::ZeroByte;
        return request;
    }
    const std::string_view marker = eofMarker.substr(0, kMarkerLength);
    bool tooLong = false;
    forEachLine(text, [&](std::string_view raw) {
        if (request.cancel || tooLong) return;
        const std::string_view line = trimmed(raw);
        if (line.find(kOperatorField) != std::string_view::npos) {
            const size_t equals = line.find('=');
            request.operatorCode =
                equals == std::string_view::npos ? "" : std::string(trimmed(line.substr(equals + 1)));
        } else if (line == kCancel) {
            request.cancel = true;
        } else if (!marker.empty() && line.substr(0, kMarkerLength) == marker) {
            request.endMarker = std::string(line);
        } else if (const size_t equals = line.find('=');
                   equals != std::string_view::npos && equals >= 1) {
            if (request.message.size() + line.size() + 1 > kMostShellMessage) {
                tooLong = true;
                return;
            }
            request.message.append(line).push_back(';');
        }
    });
    if (tooLong) request.problem = ShellRequest::Problem::TooLong;
    return request;
}

std::string answerLine(std::string_view field) {
    constexpr size_t kBlankAt = 7;
    if (field.size() <= kBlankAt || field[kBlankAt] == ' ') return std::string(field);
    std::string line(field.substr(0, kBlankAt));
    line += " = ";
    line += field.substr(kBlankAt + 1);
    return line;
}

std::string answerText(std::string_view answer, const std::optional<std::string>& endMarker) {
    std::string text;
    size_t start = 0;
    while (start <= answer.size()) {
        size_t end = answer.find(';', start);
        if (end == std::string_view::npos) end = answer.size();
        const std::string_view field = answer.substr(start, end - start);
        // Masked line by line: a value ends with its line, so a card field
        // never reaches into the product codes of the lines after it.
        if (!field.empty()) text += vtx::wire::maskCardData(answerLine(field)) + "\r\n";
        start = end + 1;
    }
    if (endMarker) text += *endMarker + "\r\n";
    return text;
}

std::string failureBuffer(int result) {
    char buffer[32];
    (void)std::snprintf(buffer, sizeof buffer, "0013009-000 = %03d;", std::abs(result) % 1000);
    return buffer;
}

}  // namespace vtx::linkagent
