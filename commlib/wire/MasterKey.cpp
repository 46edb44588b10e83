#include "MasterKey.h"

#include <cctype>

namespace vtx::wire {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

void decodeMasterKey(std::string_view text, DesKey& key) {
    size_t out = 0;
    size_t i = 0;
    auto put = [&](char c) {
        if (out < key.size()) key[out++] = static_cast<uint8_t>(c);
    };
    while (i < text.size() && out < key.size()) {
        char c = text[i];
        if (c != '\\') {
            put(c);
            ++i;
            continue;
        }
        if (i + 1 >= text.size()) {  // a lone trailing backslash yields nothing
            ++i;
            continue;
        }
        char first = text[i + 1];
        if (hexValue(first) < 0) {
            put(first);
            i += 2;
            continue;
        }
        if (i + 2 < text.size() && hexValue(text[i + 2]) >= 0) {
            put(static_cast<char>(hexValue(first) * 16 + hexValue(text[i + 2])));
            i += 3;
            continue;
        }
        // One hex digit followed by something else (or the end): both characters.
        put(first);
        if (i + 2 < text.size()) put(text[i + 2]);
        i += 3;
    }
}

}  // namespace vtx::wire
