#include "vtx/linkagent/AgentServices.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace vtx::linkagent {

void Logger::logf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (n > 0) {
        std::vector<char> buffer(static_cast<size_t>(n) + 1);
        // The length was measured above: this one writes all of it.
        (void)std::vsnprintf(buffer.data(), buffer.size(), format, args);
        text.assign(buffer.data(), static_cast<size_t>(n));
    }
    va_end(args);
    log(text);
}

}  // namespace vtx::linkagent
