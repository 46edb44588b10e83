// Windows-style paths of the shop installation mapped onto this machine.
//
// VTX_ROOT (default /var/lib/vantorix) holds one folder per drive letter:
// "C:\Vantrix\CORE.INI" is $VTX_ROOT/C/Vantrix/CORE.INI. The Windows directory
// is VTX_WINDIR when set (a Windows-style or a native path), else "C:\Windows".
// A POSIX absolute path passes through unchanged; "\" and "/" both separate.
// Existing path components are found without regard to case; a component that
// does not exist keeps the spelling given, so new files are created as named.
//
// Thread-safety: every function is safe to call from any thread; the
// environment is read on each call.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vtx::platform {

// $VTX_ROOT, or /var/lib/vantorix when unset or empty.
std::string vtxRoot();

// Native path of the Windows directory (not resolved for case).
std::string windowsDirectory();

// Maps a Windows-style or native path to a native one, without touching the
// file system: drive letters become $VTX_ROOT/<LETTER>, "\" becomes "/",
// repeated separators collapse. A relative path stays relative.
std::string toNative(std::string_view path);

// toNative, then each existing component matched without regard to case
// (an exact match wins; otherwise the first case-insensitive match in name
// order). Components after the first missing one are kept as given.
std::string resolve(std::string_view path);

// The file that a private-profile call names: a bare file name refers to the
// Windows directory; anything with a directory goes through resolve().
std::string profilePath(std::string_view fileName);

// Joins a directory and a name with one "/" (native paths).
std::string joinPath(std::string_view dir, std::string_view name);

// Case-insensitive wildcard match of a whole name: "?" one character, "*" any run.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// Regular files in `dir` (Windows-style or native) whose names match `pattern`,
// sorted by name (byte order). Missing directory: empty.
std::vector<std::string> findFiles(std::string_view dir, std::string_view pattern);

// The first of findFiles(), as a full native path.
std::optional<std::string> findFirstFile(std::string_view dir, std::string_view pattern);

}  // namespace vtx::platform
