#include "messaging/ReportItems.h"

#include <string>

#include "core/DelimitedItems.h"

namespace vtx::client {

QStringList reportItems(std::string_view bytes) {
    std::string kept;
    kept.reserve(bytes.size());
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(start, end - start);
        if (line.find_first_not_of(" \t") != std::string_view::npos) {
            kept.append(line);
            kept.push_back('\n');
        }
        start = end + 1;
    }
    return splitItems(kept);
}

}  // namespace vtx::client
