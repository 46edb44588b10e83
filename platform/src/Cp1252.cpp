#include "vtx/platform/Cp1252.h"

#include <cstdint>

namespace vtx::platform {

namespace {

// Characters of the bytes 0x80-0x9F. The five bytes Windows-1252 leaves
// undefined map to the C1 control of the same value.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char32_t toCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        // Every character of the table lies below U+10000.
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The Windows-1252 byte of `cp`, or -1.
int fromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == cp) return 0x80 + i;
    }
    return -1;
}

struct Decoded {
    char32_t cp;    // valid only when ok
    size_t length;  // bytes consumed (at least 1)
    bool ok;
};

// Decodes one UTF-8 sequence strictly (no overlong forms, surrogates or
// values above U+10FFFF). A malformed sequence consumes its lead byte and
// the continuation bytes that were still acceptable, so it yields one
// replacement.
Decoded decodeUtf8(std::string_view s, size_t i) {
    auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char lead = b(i);
    if (lead < 0x80) return {lead, 1, true};
    size_t need;
    char32_t cp;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0) lo = 0xA0;
        if (lead == 0xED) hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        cp = lead & 0x07;
        if (lead == 0xF0) lo = 0x90;
        if (lead == 0xF4) hi = 0x8F;
    } else {
        return {0, 1, false};
    }
    size_t len = 1;
    for (size_t k = 0; k < need; ++k) {
        if (i + len >= s.size()) return {0, len, false};
        unsigned char c = b(i + len);
        if (c < lo || c > hi) return {0, len, false};
        lo = 0x80;
        hi = 0xBF;
        cp = (cp << 6) | (c & 0x3F);
        ++len;
    }
    return {cp, len, true};
}

}  // namespace

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) appendUtf8(out, toCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToCp1252(std::string_view text, char replacement) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        Decoded d = decodeUtf8(text, i);
        int byte = d.ok ? fromCodePoint(d.cp) : -1;
        out.push_back(byte < 0 ? replacement : static_cast<char>(byte));
        i += d.length;
    }
    return out;
}

}  // namespace vtx::platform
