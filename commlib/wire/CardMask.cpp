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
    forEachFieldValue(out, "902", [&](size_t b, size_t e) {
        maskOutsideProducts(from, b);
        from = e;
    });
    maskOutsideProducts(from, out.size());
    return out;
}

}  // namespace vtx::wire
