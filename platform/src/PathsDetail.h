// Internal companion of Paths.h.
//
// Thread-safety: safe from any thread.
#pragma once

#include <string>
#include <string_view>

namespace vtx::platform::detail {

// profilePath() without the case-insensitive lookup: the native spelling a
// file would have if every component matched exactly. Lets hot callers try a
// single stat() before paying for resolve().
std::string profileNativePath(std::string_view fileName);

}  // namespace vtx::platform::detail
