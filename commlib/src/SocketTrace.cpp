#include "SocketTrace.h"

#include "CardMask.h"

namespace vx::cli {

std::string traceValue(std::string_view raw) {
    size_t nul = raw.find('\0');
    if (nul != std::string_view::npos) raw = raw.substr(0, nul);
    std::string value = vx::wire::maskCardData(raw);
    for (char& c : value) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '.';
    }
    return value;
}

void SocketTrace::step(std::string_view section, std::string_view key, std::string_view value) {
    if (enabled_) always(section, key, value);
}

void SocketTrace::always(std::string_view section, std::string_view key, std::string_view value) {
    writes_.push_back({std::string(section), std::string(key), traceValue(value)});
}

void SocketTrace::flush() {
    if (writes_.empty()) return;
    // The trace shows requests and routes: the installation's user only.
    vtx::platform::iniWrite(kTraceFile, writes_, vtx::platform::kPrivateFileMode);
    writes_.clear();
}

}  // namespace vx::cli
