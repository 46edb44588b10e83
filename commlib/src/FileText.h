// Reading a whole small file (route files, operator table, price file).
//
// Thread-safety: safe from any thread.
#pragma once

#include <optional>
#include <string>

namespace vx::cli {

// The bytes of the native file `path`, or nullopt when it cannot be read.
// Files larger than `maxBytes` are read only up to that size.
std::optional<std::string> readWholeFile(const std::string& path, size_t maxBytes = 4u << 20);

}  // namespace vx::cli
