#include "OperatorList.h"

#include <cstring>
#include <string_view>

namespace vtx::linkagent::logon {

std::vector<std::string> parseOperatorList(const char* list, size_t size) {
    std::vector<std::string> codes;
    size_t pos = 0;
    while (pos < size) {
        const void* zero = std::memchr(list + pos, '\0', size - pos);
        const size_t end =
            zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - list) : size;
        std::string_view entry(list + pos, end - pos);
        if (entry.empty()) break;
        entry = entry.substr(0, entry.find(' '));
        if (!entry.empty()) codes.emplace_back(entry);
        pos = end + 1;
    }
    return codes;
}

}  // namespace vtx::linkagent::logon
