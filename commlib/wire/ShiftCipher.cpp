#include "ShiftCipher.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vtx::wire {

void shiftEncipher(char* data, size_t len, int key) {
    if (key == 0) return;
    for (size_t i = 0; i < len; ++i)
        data[i] = static_cast<char>(static_cast<unsigned char>(data[i]) - key);
}

void shiftDecipher(char* data, size_t len, int key) {
    if (key == 0) return;
    for (size_t i = 0; i < len; ++i)
        data[i] = static_cast<char>(static_cast<unsigned char>(data[i]) + key);
}

void shiftKeyText(int port, char out[5]) {
    char digits[16];
    int n = std::snprintf(digits, sizeof digits, "%04d", port);
    // The last three digits of the formatted port, whatever its width.
    const char* tail = digits + (n >= 3 ? n - 3 : 0);
    std::memcpy(out, tail, 3);
    out[3] = '\0';
    out[4] = '\0';
}

int shiftKeyForPort(int port) {
    char text[5];
    shiftKeyText(port, text);
    return std::atoi(text);
}

}  // namespace vtx::wire
