// The simulator's configuration: an INI file with one section per listening
// port (any section name). Problems come back as text naming the section and
// the key, for the operator to fix the file.
//
// Thread-safety: pure functions; the result is a plain value.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PortConfig.h"

namespace vtx::hostsim {

struct HostConfig {
    std::vector<PortConfig> ports;  // in file order
};

// Parses INI text. On failure returns nullopt and sets `error`.
std::optional<HostConfig> parseHostConfig(std::string_view content, std::string& error);

// Reads and parses the file at `path`.
std::optional<HostConfig> loadHostConfig(const std::string& path, std::string& error);

// True for a numeric loopback address: 127.0.0.0/8 or ::1.
bool isLoopbackAddress(const std::string& address);

}  // namespace vtx::hostsim
