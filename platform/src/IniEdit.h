// Text edits on the content of an INI file that keep every untouched line
// byte for byte. Used by the writers in IniFile.cpp under the folder lock.
//
// Thread-safety: pure functions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vtx/platform/IniFile.h"

namespace vtx::platform::detail {

// Applies `writes` in order: set replaces the first matching key of the first
// matching section in place (keeping the key's spelling) or adds it after the
// section's last entry, appending the section at the end when missing; a
// nullopt value removes the key's line.
std::string applyIniWrites(std::string_view content, const std::vector<IniWrite>& writes);

// Removes the first section named `section` (header and every line up to the
// next section).
std::string deleteIniSection(std::string_view content, std::string_view section);

}  // namespace vtx::platform::detail
