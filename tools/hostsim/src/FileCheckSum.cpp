#include "FileCheckSum.h"

#include <cstdint>
#include <cstdio>
#include <limits>

namespace vtx::hostsim {

std::string fileCheckValue(std::string_view content) {
    int64_t sum = 0;
    int64_t weight = 1;
    for (char c : content) {
        if (c == '\r' || c == '\n') continue;
        const int64_t next = sum + static_cast<unsigned char>(c) * (weight % 255);
        if (next > std::numeric_limits<int32_t>::max()) break;
        sum = next;
        ++weight;
    }
    char text[3];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(sum % 255));
    return text;
}

}  // namespace vtx::hostsim
