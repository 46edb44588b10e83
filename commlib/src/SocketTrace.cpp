#include "SocketTrace.h"

#include "CardMask.h"

namespace vtx::cli {

namespace {

// Cut at a zero byte, control bytes shown as ".": one line of the file.
std::string oneLine(std::string value) {
    size_t nul = value.find('\0');
    if (nul != std::string::npos) value.resize(nul);
    for (char& c : value) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '.';
    }
    return value;
}

}  // namespace

std::string traceValue(std::string_view raw) {
    size_t nul = raw.find('\0');
    if (nul != std::string_view::npos) raw = raw.substr(0, nul);
    return oneLine(vtx::wire::maskCardData(raw));
}

void SocketTrace::step(std::string_view section, std::string_view key, std::string_view value) {
    if (enabled_) always(section, key, value);
}

void SocketTrace::stepEnciphered(std::string_view section, std::string_view key,
                                 std::string_view plain,
                                 const std::function<void(std::string&)>& encipher) {
    if (!enabled_) return;
    std::string text = vtx::wire::maskCardData(plain);
    encipher(text);
    writes_.push_back({std::string(section), std::string(key), oneLine(std::move(text))});
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

}  // namespace vtx::cli
