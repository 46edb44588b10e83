#include "Field953.h"

#include <string_view>

namespace vtx::cli {

void applyField953Rule(char* buffer, size_t len) {
    std::string_view b(buffer, len);
    const size_t p = b.find("953-");
    if (p == std::string_view::npos) return;
    const size_t semi = b.find(';', p);
    if (semi == std::string_view::npos) return;
    const long s = static_cast<long>(semi - p);
    const size_t eq = b.find('=', p);
    if (eq == std::string_view::npos) return;
    const long e = static_cast<long>(eq);
    const size_t d = b.find("-0", static_cast<size_t>(s));
    if (d == std::string_view::npos) return;
    if (e - s >= 0 && s <= e - s && static_cast<long>(d) >= e) buffer[semi] = '\xE7';
}

}  // namespace vtx::cli
