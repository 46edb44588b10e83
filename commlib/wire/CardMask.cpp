#include "CardMask.h"

namespace vtx::wire {
namespace {

constexpr size_t kKeepFirst = 6;
constexpr size_t kKeepLast = 4;
constexpr size_t kCardRunDigits = 13;
constexpr size_t kCardFieldDigits = 10;

// What may stand between the digits of one run.
struct Joiners {
    bool trackSeparators = false;  // "=", "^", 0xE7, any number of them
    bool blanksAndDashes = false;  // one blank or one dash between two digits
    bool required = false;         // only runs that use a blank or dash count
};

constexpr Joiners kTrack{true, false, false};
constexpr Joiners kWritten{false, true, true};
constexpr Joiners kEither{true, true, false};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isTrackSeparator(char c) {
    return c == '=' || c == '^' || c == '\xE7';
}

// Masks every run in out[begin, end) that holds at least `minDigits` digits.
void maskRuns(std::string& out, size_t begin, size_t end, size_t minDigits, Joiners joiners) {
    size_t i = begin;
    while (i < end) {
        if (!isDigit(out[i])) {
            ++i;
            continue;
        }
        size_t runEnd = i;
        size_t digits = 0;
        bool joined = false;
        while (runEnd < end) {
            const char c = out[runEnd];
            if (isDigit(c)) {
                ++digits;
            } else if (joiners.trackSeparators && isTrackSeparator(c)) {
            } else if (joiners.blanksAndDashes && (c == ' ' || c == '-') &&
                       isDigit(out[runEnd - 1]) && runEnd + 1 < end && isDigit(out[runEnd + 1])) {
                joined = true;
            } else {
                break;
            }
            ++runEnd;
        }
        if (digits >= minDigits && (joined || !joiners.required)) {
            size_t seen = 0;
            for (size_t k = i; k < runEnd; ++k) {
                if (!isDigit(out[k])) continue;
                if (seen >= kKeepFirst && seen < digits - kKeepLast) out[k] = '*';
                ++seen;
            }
        }
        i = runEnd;
    }
}

// The value of every field `group`-NNN of a numbered-field message, as
// [begin, end) ranges in order.
template <typename F>
void forEachFieldValue(const std::string& text, std::string_view group, F&& f) {
    const std::string key = std::string(group) + "-";
    size_t pos = text.find(key);
    while (pos != std::string::npos) {
        size_t eq = text.find('=', pos);
        if (eq == std::string::npos) break;
        size_t end = text.find(';', eq);
        if (end == std::string::npos) end = text.size();
        f(eq + 1, end);
        pos = text.find(key, end);
    }
}

// Every field `group`-NNN written as a field: its name at the start of the
// text or of a line, or after ";", "|" or a blank; three digits after the
// dash; blanks; "="; the value up to ";" or the line's end. `f` gets the
// range from the name to the value's end. Used for the fields left unmasked:
// neither "902-" inside other text nor a value running on into the next
// lines of an answer file keeps a card readable, and the name itself is no
// digit run of the text before it (so masking again changes nothing).
template <typename F>
void forEachNamedFieldValue(const std::string& text, std::string_view group, F&& f) {
    const std::string key = std::string(group) + "-";
    auto startsName = [&text](size_t at) {
        if (at == 0) return true;
        const char before = text[at - 1];
        return before == ';' || before == '|' || before == '\r' || before == '\n' || before == ' ' ||
               before == '\t';
    };
    size_t pos = text.find(key);
    while (pos != std::string::npos) {
        size_t p = pos + key.size();
        const bool digits = p + 3 <= text.size() && isDigit(text[p]) && isDigit(text[p + 1]) &&
                            isDigit(text[p + 2]);
        p += 3;
        while (digits && p < text.size() && (text[p] == ' ' || text[p] == '\t')) ++p;
        if (startsName(pos) && digits && p < text.size() && text[p] == '=') {
            size_t end = text.find_first_of(";\r\n", p + 1);
            if (end == std::string::npos) end = text.size();
            f(pos, end);
            pos = text.find(key, end);
        } else {
            pos = text.find(key, pos + 1);
        }
    }
}

}  // namespace

std::string maskCardData(std::string_view text) {
    std::string out(text);
    // The card number field, however short the number and however written.
    forEachFieldValue(out, "953",
                      [&](size_t b, size_t e) { maskRuns(out, b, e, kCardFieldDigits, kEither); });
    // Anywhere else a long run of digits may be a card number or a track,
    // except in the product code field, whose bar codes stay readable.
    auto maskOutsideProducts = [&](size_t b, size_t e) {
        maskRuns(out, b, e, kCardRunDigits, kWritten);
        maskRuns(out, b, e, kCardRunDigits, kTrack);
    };
    size_t from = 0;
    forEachNamedFieldValue(out, "902", [&](size_t b, size_t e) {
        maskOutsideProducts(from, b);
        from = e;
    });
    maskOutsideProducts(from, out.size());
    return out;
}

}  // namespace vtx::wire
