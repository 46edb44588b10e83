// A shared, read-only copy of a small file as it is now.
//
// The settings of every request are read afresh; these copies make that cheap
// without changing it: a copy is served again only while the file keeps its
// identity, size and time stamps, and a file modified in the last moments is
// always read again (see IniFile.h).
//
// Thread-safety: any thread.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vtx::platform {

// The content of the file at `path` (Windows-style or native, found without
// regard to case), or nullptr when it cannot be read.
std::shared_ptr<const std::string> loadFileSnapshot(std::string_view path);

}  // namespace vtx::platform
