// The trace file SOCKET.BIN in the Windows directory (INI form): each entry
// replaces the previous value of its key, so the file shows the last event of
// each kind.
//
// A request collects its entries and writes them in one atomic update when it
// ends (flush or destruction), which keeps the file whole under concurrent
// requests and costs one write per request; an update that changes nothing
// leaves the file untouched. Every value passes through the card masking
// here, so no caller can write a full card number.
//
// Thread-safety: one object per request; the file itself is shared safely.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "vtx/platform/IniFile.h"

namespace vtx::cli {

inline constexpr const char* kTraceFile = "SOCKET.BIN";

class SocketTrace {
public:
    // `enabled`: the station's SOCKETBIN switch.
    explicit SocketTrace(bool enabled = false) : enabled_(enabled) {}
    ~SocketTrace() { flush(); }
    SocketTrace(const SocketTrace&) = delete;
    SocketTrace& operator=(const SocketTrace&) = delete;

    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool enabled() const { return enabled_; }

    // An entry written only when tracing is enabled.
    void step(std::string_view section, std::string_view key, std::string_view value);
    // An entry written whatever the switch says (connection and server status).
    void always(std::string_view section, std::string_view key, std::string_view value);
    // An entry showing what was enciphered for the wire, written only when
    // tracing is enabled: card data is masked in `plain` first and
    // `encipher` then runs over the masked text, so the entry, deciphered,
    // gives back no more of a card number than a plain entry shows.
    void stepEnciphered(std::string_view section, std::string_view key, std::string_view plain,
                        const std::function<void(std::string&)>& encipher);

    void flush();

private:
    bool enabled_;
    std::vector<vtx::platform::IniWrite> writes_;
};

// A trace value: card data masked, control bytes shown as ".", cut at a zero
// byte, so an entry is always one line of the file.
std::string traceValue(std::string_view raw);

}  // namespace vtx::cli
